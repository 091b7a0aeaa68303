#include "soak_requests.h"

#include "protocol/configuration.h"
#include "protocol/requests.h"

namespace {

std::uint8_t randomByte(std::mt19937_64& random, int least, int most) {
    return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(least, most)(random));
}

orv52::Configuration randomSettings(std::mt19937_64& random) {
    orv52::Configuration settings;
    settings.teamMaskLow = randomByte(random, 0, 0xFF);
    settings.teamMaskHigh = randomByte(random, 0, 0x7F);
    for (std::size_t i = 0; i < orv52::kTimingCount; ++i)
        settings.timings[i] =
            randomByte(random, orv52::groupOf(orv52::kTimings[i]).lowest, orv52::kHighestTiming);
    settings.displayCommand = randomByte(random, 0, orv52::kDisplayCommandItems.size() - 1);
    settings.buzzerMode = randomByte(random, 0, orv52::kBuzzerModeItems.size() - 1);
    return settings;
}

} // namespace

std::vector<std::uint8_t> soakRequest(RequestKind kind, std::mt19937_64& random) {
    if (kind == RequestKind::Read) {
        const orv52::ConfigurationQuery query = orv52::makeConfigurationQuery();
        return {query.begin(), query.end()};
    }
    orv52::Record frame = orv52::makeProgrammingFrameTemplate();
    orv52::fillProgrammingFrame(frame, randomSettings(random));
    return {frame.begin(), frame.end()};
}
