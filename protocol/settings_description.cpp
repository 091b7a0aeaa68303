#include "settings_description.h"

namespace orv52 {

std::string timingHeading(const TimingGroup& group) {
    return std::string(group.caption) + " [" + std::string(group.unit) + "]";
}

} // namespace orv52
