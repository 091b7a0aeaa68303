#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv52 {

// What leaving a numeric field does with its text: an empty text silently becomes the lowest
// value; otherwise the text's value is checked against lowest..kHighestTiming and the text is
// rewritten in normal form whether or not it was accepted.
struct RangeCheckResult {
    bool rejected = false;
    std::optional<std::string> newText; // nothing when the text stays as it is
};

RangeCheckResult checkRange(std::string_view text, int lowest);

} // namespace orv52
