#pragma once

#include <iosfwd>
#include <string_view>

namespace orv52::cli {

// Flushes `stream` and throws Failure (OutputFailed) naming `what` when anything written to it
// went nowhere: a full disk, a closed pipe, a device that refuses it. `what` completes "nie można
// zapisać …", e.g. "na standardowe wyjście".
void flushChecked(std::ostream& stream, std::string_view what);

inline constexpr std::string_view kStandardOutput = "na standardowe wyjście";

} // namespace orv52::cli
