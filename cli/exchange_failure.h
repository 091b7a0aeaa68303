#pragma once

#include "failure.h"
#include "link/exchange_controller.h"
#include "protocol/numbered_error.h"

#include <string>

namespace orv52::cli {

// The failure of an exchange whose port reported `error`.
Failure portFailure(const NumberedError& error);

// The failure of an exchange on `device` that ended with `outcome` when `wanted` was called for.
Failure failureAfter(ExchangeController::Outcome outcome, ExchangeController::Outcome wanted,
                     const std::string& device);

} // namespace orv52::cli
