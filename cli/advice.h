#pragma once

#include "messages/exit_code.h"
#include "protocol/answer_finding.h"

#include <optional>
#include <string>

namespace orv52::cli {

// The advice to give under a command or a receiver that ended with `code`: what came back, for
// the two failures that say only that an exchange failed; empty otherwise.
std::string adviceAfter(ExitCode code, const std::optional<AnswerReading>& reading);

} // namespace orv52::cli
