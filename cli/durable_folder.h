#pragma once

#include <QString>

namespace orv52::cli {

// Creates `folder` and what is missing above it, each new folder's entry pushed to the disk
// before the next is made, so that a file synced into it is found after a cut power. True when
// the folder is there; false when one could not be made or synced.
bool makeFolderDurably(const QString& folder);

} // namespace orv52::cli
