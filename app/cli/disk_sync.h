#pragma once

namespace orv52::cli {

// Pushes what was written to an open file from the system's cache to the disk itself, so that it
// survives a cut power. False when the system could not.
bool syncToDisk(int descriptor);

} // namespace orv52::cli
