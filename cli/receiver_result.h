#pragma once

#include "exit_code.h"
#include "failure.h"
#include "protocol/answer_finding.h"
#include "protocol/configuration.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

// What became of one receiver: the one a command read, programmed or verified, one of a series,
// or what answered on a port a probe tried. The log line, the series line and the probe's listing
// are written from it; each command fills in what it learnt, and leaves the rest empty.
struct ReceiverResult {
    std::string port;   // as the user gave it, or as --port takes it: "COM2", "/dev/ttyUSB0"
    std::string device; // the device the port reached, where it is known: "/dev/ttyS1"
    bool reachedByNumber = false; // a probe reached `device` as one of COM1..COM4
    ExitCode result = ExitCode::Done;
    std::string failure; // Polish: what the user is told of any result but Done and Differs
    std::optional<std::uint8_t> firmwareVersion; // when the receiver answered a read
    std::optional<Configuration> readBack;       // what it holds after a programming
    std::vector<std::string> differingKeys;      // keys whose values differ from the file
    std::string backupPath;                      // empty when no backup was written
    std::optional<Finding> finding;              // what came back in the last exchange
};

// Compares what the receiver holds with what it should: the keys that differ, and the result
// Differs when there is any, Done otherwise.
void compareHeld(ReceiverResult& receiver, const Configuration& expected,
                 const Configuration& held);

// The failure that ended what was done with the receiver: its code and what the user is told.
void failedWith(ReceiverResult& receiver, const Failure& failure);

} // namespace orv52::cli
