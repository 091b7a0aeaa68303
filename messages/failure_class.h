#pragma once

#include "exit_code.h"
#include "link/exchange_controller.h"

#include <optional>

namespace orv52 {

// How the programs tell and end what the port reported or how an exchange ended: the catalogue's
// message the window shows (none: passed over in silence), the code orv52-cli ends with, and
// whether the port failed rather than the receiver.
struct FailureClass {
    std::optional<int> messageId;
    ExitCode exitCode;
    bool portFailure;
};

// A port error, by its number (error_number): an absent device, a busy one, a denied access, or
// any other failure.
const FailureClass& classOfError(int errorNumber);
// How an exchange ended. An answer of the other kind is no outcome of its own: it is told by the
// one who asked (a damaged answer's class).
const FailureClass& classOfOutcome(ExchangeController::Outcome outcome);

// A code that only a port failure ends with: the device is missing, busy, forbidden or broken,
// rather than the receiver not answering.
bool isPortFailure(ExitCode code);

} // namespace orv52
