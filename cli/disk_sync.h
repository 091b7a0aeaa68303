#pragma once

#include <QString>

namespace orv52::cli {

// Pushes what was written to an open file from the system's cache to the disk itself, so that it
// survives a cut power. False when the system could not.
bool syncToDisk(int descriptor);

// The same for a folder's entries, so that a file synced into it is also found after a cut power.
// Windows keeps no such cache of a folder apart; there this does nothing.
bool syncFolder(const QString& folder);

// Creates `folder` and what is missing above it, each new folder's entry pushed to the disk
// before the next is made. False when one could not be made or synced.
bool makeFolderDurably(const QString& folder);

} // namespace orv52::cli
