#pragma once

#include "exit_code.h"
#include "protocol/answer_finding.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace orv52::cli {

// Ends a command, or one receiver of a series: the exit code it gives, what the user is told
// (Polish, as what()), and what came back on the line when an exchange failed. Thrown wherever
// the failure starts; Session turns it into the command's exit code, in one place.
class Failure : public std::runtime_error {
public:
    Failure(ExitCode code, const std::string& message, std::optional<Finding> finding = {})
        : std::runtime_error(message), code_(code), finding_(finding) {}
    ExitCode code() const noexcept { return code_; }
    const std::optional<Finding>& finding() const noexcept { return finding_; }

private:
    ExitCode code_;
    std::optional<Finding> finding_;
};

} // namespace orv52::cli
