#include "requests.h"

#include <algorithm>

namespace orv52 {

ConfigurationQuery makeConfigurationQuery() {
    ConfigurationQuery query{};
    std::ranges::copy(kConfigurationHeader, query.begin());
    query[3] = 0x00;
    query[4] = '?';
    return query;
}

Record makeProgrammingFrameTemplate() {
    Record frame{};
    std::ranges::copy(kProgrammingHeader, frame.begin() + offset::Header);
    return frame;
}

} // namespace orv52
