#include "configuration.h"

#include "text_value.h"

#include <array>

namespace orv52 {

namespace {

// A list setting with the record offset of its byte.
struct ListField {
    const ListSetting* setting;
    std::size_t recordOffset;
};

constexpr std::array<ListField, 2> kListFields{
    {{&kDisplayCommand, offset::DisplayCommand}, {&kBuzzerMode, offset::BuzzerMode}}};

std::optional<int> listItem(std::uint8_t value, const ListSetting& setting) {
    const auto position = byteToListPosition(value);
    if (!position || *position >= static_cast<int>(setting.items.size()))
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

std::optional<UnknownListValue> unknownListValue(const Record& record) {
    for (const ListField& field : kListFields) {
        const std::uint8_t byte = record[field.recordOffset];
        if (!listItem(byte, *field.setting))
            return UnknownListValue{field.setting, byte};
    }
    return std::nullopt;
}

std::optional<Configuration> readConfiguration(const Record& record) {
    if (!isRecordValid(record) || unknownListValue(record))
        return std::nullopt;
    Configuration settings;
    settings.teamMaskLow = record[offset::TeamMaskLow];
    settings.teamMaskHigh = record[offset::TeamMaskHigh] & teams::teamBits(teams::Mask::High);
    for (std::size_t i = 0; i < kTimingCount; ++i)
        settings.timings[i] = record[kTimings[i].recordOffset];
    settings.displayCommand = listItem(record[offset::DisplayCommand], kDisplayCommand).value();
    settings.buzzerMode = listItem(record[offset::BuzzerMode], kBuzzerMode).value();
    settings.firmwareVersion = record[offset::FirmwareVersion];
    return settings;
}

} // namespace orv52
