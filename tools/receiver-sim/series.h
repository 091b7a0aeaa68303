#pragma once

#include "receiver.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace orv52::sim {

// One receiver of a series: its firmware version and whether it stores a programming.
struct SeriesMember {
    std::uint8_t firmwareVersion = 0;
    bool storesProgramming = true;
};

// "21,22/no-store,23": two hex digits of version each, optionally followed by "/no-store";
// nullopt for anything else.
std::optional<std::vector<SeriesMember>> parseSeries(std::string_view list);

// The receivers on the line over time, as on a workbench: one is connected and answers; once it
// has been programmed it stays `stay` longer, then it is unplugged and the line is silent for
// `away`, then the next one of the series is connected, fresh from the factory. After the last
// one the line stays silent. A line that holds a single receiver keeps it for good.
class ReceiverLine {
public:
    using Clock = std::chrono::steady_clock;

    // A single receiver that never leaves.
    explicit ReceiverLine(Receiver only);
    ReceiverLine(const std::vector<SeriesMember>& series, std::chrono::milliseconds stay,
                 std::chrono::milliseconds away);

    // The receiver connected at `now`, or nullptr while the line is silent. Comings and goings
    // since the last call are caught up on here, so the line needs no clock of its own.
    Receiver* connected(Clock::time_point now);
    // Starts the stay of the connected receiver, on its first programming.
    void programmed(Clock::time_point now);

private:
    std::vector<Receiver> receivers_;
    std::size_t current_ = 0;
    bool present_ = true;
    bool leaves_ = false; // receivers come and go only in a series
    std::optional<Clock::time_point> changesAt_;
    std::chrono::milliseconds stay_{};
    std::chrono::milliseconds away_{};
};

} // namespace orv52::sim
