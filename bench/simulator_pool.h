#pragma once

#include "soak_faults.h"
#include "support/receiver_simulator.h"

#include <array>
#include <cstdint>
#include <memory>

// One receiver simulator for every fault, all started once for the whole run.
class SimulatorPool {
public:
    SimulatorPool();

    // True when every simulator has named its line.
    bool started() const;

    // The line of the fault's simulator for one more exchange. Waits first until that simulator
    // has surely sent all of its previous answer, so that a late answer which outlived its
    // exchange never runs into the next one.
    QString lineForExchange(Fault fault);

private:
    std::array<std::unique_ptr<ReceiverSimulator>, kFaultCount> simulators_;
    std::array<std::int64_t, kFaultCount> quietAtNs_{};
};
