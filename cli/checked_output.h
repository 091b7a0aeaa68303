#pragma once

#include <iosfwd>
#include <string_view>

namespace orv52::cli {

// Flushes `stream` and throws Failure (OutputFailed) naming `what` when anything written to it
// went nowhere: a full disk, a closed pipe, a device that refuses it. `what` names the output as
// notWrittenText() takes it, e.g. kStandardOutput.
void flushChecked(std::ostream& stream, std::string_view what);

} // namespace orv52::cli
