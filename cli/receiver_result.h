#pragma once

#include "messages/exit_code.h"
#include "protocol/answer_finding.h"
#include "protocol/configuration.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

// What a command learns of a receiver as it goes, step by step, until its result is made.
struct ReceiverFacts {
    std::optional<std::uint8_t> firmwareVersion; // when the receiver answered a read
    std::optional<Configuration> readBack;       // what it holds after a programming
    std::vector<std::string> differingKeys;      // keys whose values differ from the file
    std::string backupPath;                      // empty when no backup was written
};

// What became of one receiver: the one a command read, programmed or verified, one of a series,
// or what answered on a port a probe tried. The log line, the series line and the probe's listing
// are written from it. It is made whole, once, where what was done with the receiver ends: no
// field is set afterwards.
struct ReceiverResult {
    const std::string port;   // as the user gave it, or as --port takes it: "COM2", "/dev/ttyUSB0"
    const std::string device; // the device the port reached, where it is known: "/dev/ttyS1"
    const bool reachedByNumber = false; // a probe reached `device` as one of COM1..COM4
    const ExitCode result = ExitCode::Done;
    const std::string failure; // Polish: what the user is told of any result but Done and Differs
    const ReceiverFacts facts;
    const std::optional<AnswerReading> answer; // what came back in the last exchange
};

// Compares what the receiver holds with what it should: enters the keys that differ in `facts`,
// and gives Differs when there is any, Done otherwise.
ExitCode compareHeld(ReceiverFacts& facts, const Configuration& expected,
                     const Configuration& held);

} // namespace orv52::cli
