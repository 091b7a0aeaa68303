#pragma once

#include <cstdint>
#include <ctime>

// CLOCK_MONOTONIC in nanoseconds: the same clock in every process of the machine, so a runner
// can hand its launch time to the process it starts.
inline std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}
