#pragma once

#include "exit_code.h"
#include "protocol/answer_finding.h"

#include <optional>
#include <string_view>

namespace orv52::cli {

// The advice to give under a command or a receiver that ended with `code`: what came back, for
// the two failures that say only that an exchange failed; empty otherwise.
std::string_view adviceAfter(ExitCode code, const std::optional<Finding>& finding);

} // namespace orv52::cli
