#pragma once

#include "record.h"
#include "settings_description.h"
#include "team_numbers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace orv52 {

// A receiver's settings as the operator sees them.
struct Configuration {
    std::uint8_t teamMaskLow = 0;  // the teams of teams::Mask::Low
    std::uint8_t teamMaskHigh = 0; // the teams of teams::Mask::High; bit 7 is never set
    std::array<std::uint8_t, kTimingCount> timings = defaultTimings();
    int displayCommand = 0; // position in kDisplayCommandItems
    int buzzerMode = 0;     // position in kBuzzerModeItems
    std::uint8_t firmwareVersion = 0;

    std::uint8_t& teamMask(teams::Mask mask) {
        return mask == teams::Mask::Low ? teamMaskLow : teamMaskHigh;
    }
    std::uint8_t teamMask(teams::Mask mask) const {
        return mask == teams::Mask::Low ? teamMaskLow : teamMaskHigh;
    }
    // Team numbers from teams::kLowest to teams::kHighest.
    bool servesTeam(int team) const;
    void serveTeam(int team);

    bool operator==(const Configuration&) const = default;
};

// Writes the settings into offsets 4..13 of a programming frame and seals it with its checksum;
// the header, the reserved bytes and the version byte stay as they are.
void fillProgrammingFrame(Record& frame, const Configuration& settings);

// A list setting whose byte in a record names no item of its list: 0, or a position past the
// list's end, as a firmware newer than this program may send.
struct UnknownListValue {
    const ListSetting* setting;
    std::uint8_t byte; // as the receiver sent it
};

// The first list setting of `record`, in record order, whose byte names no item of its list.
std::optional<UnknownListValue> unknownListValue(const Record& record);

// The settings a received record holds, or nothing when the record fails its check or a one-bit
// field names no item of its list: such a record cannot be shown, and none of it is used. Bit 7
// of the high team mask stands for no team and is dropped.
std::optional<Configuration> readConfiguration(const Record& record);

} // namespace orv52
