#pragma once

#include "messages/exit_code.h"

#include <stdexcept>
#include <string>

namespace orv52::cli {

// Ends a command, or one receiver of a series: the exit code it gives and what the user is told
// (Polish, as what()). Thrown wherever the failure starts; Session turns it into the command's
// exit code, in one place. What came back on the line is the exchange's to tell
// (ReceiverLine::lastExchange).
class Failure : public std::runtime_error {
public:
    Failure(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ExitCode code() const noexcept { return code_; }

private:
    ExitCode code_;
};

} // namespace orv52::cli
