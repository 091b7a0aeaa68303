#pragma once

#include "record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// What the operator sets on a receiver, written down once for the window, the configuration file
// and the command line: each timing's place in the record, file key, range and default, and the
// captions, keys and items of the two lists. Texts are UTF-8.
namespace orv52 {

// Every timing is one byte of the record; a relay's switch-on duration cannot be 0.
inline constexpr int kLowestTiming = 0;
inline constexpr int kLowestDuration = 1;
inline constexpr int kHighestTiming = 255;

// The timings come in pairs that share a caption, a unit, a range and a default: the window
// frames the two fields of a pair together and the file's comment describes them together.
struct TimingGroup {
    std::string_view caption;
    std::string_view unit;
    std::string_view pairComment; // the two timings, as the file's comment names them
    int lowest;                   // the highest is kHighestTiming for all
    std::uint8_t defaultValue;    // what the window starts with
};

namespace timing_group {
enum : std::size_t { Delay, Duration, Lighting };
}

inline constexpr std::array<TimingGroup, 3> kTimingGroups{{
    {"Opóźnienie załączania", "s", "przekaźnik górny, dolny", kLowestTiming, 0},
    {"Czas trwania załączenia", "100 ms", "przekaźnik górny, dolny", kLowestDuration, 1},
    {"Czas trwania świecenia", "s", "strzałka w górę, w dół", kLowestTiming, 0},
}};

// "Opóźnienie załączania [s]": the caption with its unit, as the window and the file show it.
std::string timingHeading(const TimingGroup& group);

struct TimingSetting {
    std::string_view fileKey;
    std::size_t recordOffset;
    std::size_t group; // in kTimingGroups
};

// The six timings in record order: the delays of the upper and lower relay, their durations,
// the lighting times of the up and down arrow.
inline constexpr std::size_t kTimingCount = 6;
inline constexpr std::array<TimingSetting, kTimingCount> kTimings{{
    {"opoznienie_przekaznik_gorny", offset::DelayUpperRelay, timing_group::Delay},
    {"opoznienie_przekaznik_dolny", offset::DelayLowerRelay, timing_group::Delay},
    {"czas_zalaczenia_przekaznik_gorny", offset::DurationUpperRelay, timing_group::Duration},
    {"czas_zalaczenia_przekaznik_dolny", offset::DurationLowerRelay, timing_group::Duration},
    {"swiecenie_strzalka_gora", offset::LightingArrowUp, timing_group::Lighting},
    {"swiecenie_strzalka_dol", offset::LightingArrowDown, timing_group::Lighting},
}};

constexpr const TimingGroup& groupOf(const TimingSetting& timing) {
    return kTimingGroups.at(timing.group);
}

constexpr std::array<std::uint8_t, kTimingCount> defaultTimings() {
    std::array<std::uint8_t, kTimingCount> values{};
    for (std::size_t i = 0; i < kTimingCount; ++i)
        values.at(i) = groupOf(kTimings.at(i)).defaultValue;
    return values;
}

// The items of the two lists, in list order; a record carries the position p of the chosen item
// as the one-bit byte 2^p.
inline constexpr std::array<std::string_view, 3> kDisplayCommandItems{"Środek", "Dwie strzałki",
                                                                      "Wszystko"};
inline constexpr std::array<std::string_view, 4> kBuzzerModeItems{
    "Bez dźwięku", "Jak inne sygnalizatory", "Krótki przerywany", "Długi przerywany"};

struct ListSetting {
    std::string_view caption;
    std::string_view fileKey;
    std::span<const std::string_view> items;
};

inline constexpr ListSetting kDisplayCommand{"Wyświetl polecenie", "wyswietl_polecenie",
                                             kDisplayCommandItems};
inline constexpr ListSetting kBuzzerMode{"Tryb pracy buzera", "tryb_buzera", kBuzzerModeItems};

} // namespace orv52
