#pragma once

#include "record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orv52 {

// The items of the two lists, in list order; a record carries the position p of the chosen item
// as the one-bit byte 2^p. UTF-8.
inline constexpr std::array<std::string_view, 3> kDisplayCommandItems{"Środek", "Dwie strzałki",
                                                                      "Wszystko"};
inline constexpr std::array<std::string_view, 4> kBuzzerModeItems{
    "Bez dźwięku", "Jak inne sygnalizatory", "Krótki przerywany", "Długi przerywany"};

// The six timings in record order: the delays of the upper and lower relay (s), their durations
// (100 ms), the lighting times of the up and down arrow (s).
inline constexpr std::size_t kTimingCount = 6;
inline constexpr std::array<std::size_t, kTimingCount> kTimingOffsets{
    offset::DelayUpperRelay,    offset::DelayLowerRelay, offset::DurationUpperRelay,
    offset::DurationLowerRelay, offset::LightingArrowUp, offset::LightingArrowDown};

// A receiver's settings as the operator sees them.
struct Configuration {
    std::uint8_t teamMaskLow = 0;  // teams 1..8, bit i = team i + 1
    std::uint8_t teamMaskHigh = 0; // teams 9..15; bit 7 is never set
    std::array<std::uint8_t, kTimingCount> timings{0, 0, 1, 1, 0, 0};
    int displayCommand = 0; // position in kDisplayCommandItems
    int buzzerMode = 0;     // position in kBuzzerModeItems
    std::uint8_t firmwareVersion = 0;

    bool operator==(const Configuration&) const = default;
};

// Writes the settings into offsets 4..13 of a programming frame and seals it with its checksum;
// the header, the reserved bytes and the version byte stay as they are.
void fillProgrammingFrame(Record& frame, const Configuration& settings);

// The settings a received record holds, or nothing when the record fails its check or a one-bit
// field names no item of its list: such a record cannot be shown, and none of it is used. Bit 7
// of the high team mask stands for no team and is dropped.
std::optional<Configuration> readConfiguration(const Record& record);

} // namespace orv52
