#include "configuration.h"

#include "text_value.h"

namespace orv52 {

namespace {

std::optional<int> listItem(std::uint8_t value, std::size_t itemCount) {
    const auto position = byteToListPosition(value);
    if (!position || *position >= static_cast<int>(itemCount))
        return std::nullopt;
    return position;
}

} // namespace

bool Configuration::servesTeam(int team) const {
    const auto [mask, bit] = teams::bitOf(team);
    return (teamMask(mask) >> bit) & 1u;
}

void Configuration::serveTeam(int team) {
    const auto [mask, bit] = teams::bitOf(team);
    teamMask(mask) = teams::withBit(teamMask(mask), bit, true);
}

void fillProgrammingFrame(Record& frame, const Configuration& settings) {
    frame[offset::TeamMaskLow] = settings.teamMaskLow;
    frame[offset::TeamMaskHigh] = settings.teamMaskHigh;
    for (std::size_t i = 0; i < kTimingCount; ++i)
        frame[kTimings[i].recordOffset] = settings.timings[i];
    frame[offset::DisplayCommand] = listPositionToByte(settings.displayCommand);
    frame[offset::BuzzerMode] = listPositionToByte(settings.buzzerMode);
    frame[offset::Checksum] = frameChecksum(frame);
}

std::optional<Configuration> readConfiguration(const Record& record) {
    if (!isRecordValid(record))
        return std::nullopt;
    const auto display = listItem(record[offset::DisplayCommand], kDisplayCommandItems.size());
    const auto buzzer = listItem(record[offset::BuzzerMode], kBuzzerModeItems.size());
    if (!display || !buzzer)
        return std::nullopt;
    Configuration settings;
    settings.teamMaskLow = record[offset::TeamMaskLow];
    settings.teamMaskHigh = record[offset::TeamMaskHigh] & teams::teamBits(teams::Mask::High);
    for (std::size_t i = 0; i < kTimingCount; ++i)
        settings.timings[i] = record[kTimings[i].recordOffset];
    settings.displayCommand = *display;
    settings.buzzerMode = *buzzer;
    settings.firmwareVersion = record[offset::FirmwareVersion];
    return settings;
}

} // namespace orv52
