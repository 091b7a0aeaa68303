#pragma once

#include "soak_faults.h"

#include <array>
#include <cstdio>
#include <optional>

// What the soak run saw, per fault: how each exchange ended, how many ended otherwise than their
// fault calls for, and how long they took. An exchange whose start failed on the port has no
// outcome.
class SoakTally {
public:
    // An exchange that takes longer than this is stuck.
    static constexpr double kStuckAfterMs = orv52::ExchangeController::kTimeoutMs + 3000;

    // Counts one exchange; true when it ended as expected and in time.
    bool add(Fault fault, std::optional<Outcome> outcome, Outcome expected, double durationMs);

    int mismatches() const;
    int stuck() const { return stuck_; }
    double maxDurationMs() const { return maxMs_; }

    // The table: one row per fault that occurred.
    void print(std::FILE* out) const;

private:
    // The four outcomes, then a failed start.
    static constexpr std::size_t kColumns = 5;

    struct Row {
        std::array<int, kColumns> counts{};
        int mismatches = 0;
        double maxMs = 0;
    };

    std::array<Row, kFaultCount> rows_{};
    int stuck_ = 0;
    double maxMs_ = 0;
};
