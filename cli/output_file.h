#pragma once

#include <string>

namespace orv52::cli {

// Writes `text` as the file at `path` (UTF-8 name). A regular file, or a new one, is replaced
// whole or not at all, keeping an existing file's permissions. Anything else that is there (a
// device, a FIFO, a symbolic link to one) is written through, as a shell's redirection would,
// and never replaced. Throws Failure (OutputFailed) naming the file.
void saveOutputFile(const std::string& path, const std::string& text);

} // namespace orv52::cli
