#pragma once

#include <optional>
#include <sys/types.h>

// What the scheduler has given a process so far.
struct Usage {
    long long cpuNs = 0;    // all threads, from the scheduler's own accounting
    long long switches = 0; // voluntary and involuntary, all threads
    int threads = 0;
};

// Sums the scheduler figures of every thread of `pid`; nothing when the process is gone.
std::optional<Usage> usageOf(pid_t pid);
