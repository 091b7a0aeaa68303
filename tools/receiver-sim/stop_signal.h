#pragma once

namespace orv52::sim {

// SIGTERM and SIGINT as a readable descriptor: waits include it, so a stop is never missed
// between two waits.
class StopSignal {
public:
    StopSignal(); // throws std::system_error
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

} // namespace orv52::sim
