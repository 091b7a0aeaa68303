#include "simulator_pool.h"

#include "line_time.h"
#include "monotonic_clock.h"
#include "protocol/receive_buffer.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// Scheduling jitter allowed on top of a simulator's delay and its answer's line time.
constexpr double kSlackMs = 200;

} // namespace

SimulatorPool::SimulatorPool() {
    for (std::size_t i = 0; i < kFaultCount; ++i)
        simulators_[i] = std::make_unique<ReceiverSimulator>(simulatorArgs(static_cast<Fault>(i)));
}

bool SimulatorPool::started() const {
    return std::ranges::none_of(
        simulators_, [](const auto& simulator) { return simulator->linePath().isEmpty(); });
}

QString SimulatorPool::lineForExchange(Fault fault) {
    const auto i = static_cast<std::size_t>(fault);
    const std::int64_t waitNs = quietAtNs_[i] - monotonicNs();
    if (waitNs > 0)
        std::this_thread::sleep_for(std::chrono::nanoseconds(waitNs));
    const double busyMs =
        answerDelayMs(fault) + lineTimeMs(orv52::kConfigurationAnswerSize) + kSlackMs;
    quietAtNs_[i] = monotonicNs() + static_cast<std::int64_t>(busyMs * 1e6);
    return simulators_[i]->linePath();
}
