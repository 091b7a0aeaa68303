#include "range_check.h"

#include "settings_description.h"
#include "text_value.h"

namespace orv52 {

RangeCheckResult checkRange(std::string_view text, int lowest) {
    if (text.empty())
        return {false, std::to_string(lowest)};
    const double value = textValue(text);
    const bool inRange = value >= lowest && value <= kHighestTiming;
    return {!inRange, normalForm(text)};
}

} // namespace orv52
