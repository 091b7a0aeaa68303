#pragma once

#include "protocol/numbered_error.h"

#include <optional>
#include <string>

namespace orv52 {

// A message of the catalogue and the line under it, if any.
struct OperatorMessage {
    int id = 0;
    std::string detail; // UTF-8
};

// What the operator is told of an error that ended the start of an exchange: an absent device,
// a busy one, a denied access. Nothing for the rest (an overflowing value, any other port
// failure), which the window passes over in silence.
std::optional<OperatorMessage> operatorMessageFor(const NumberedError& error);

} // namespace orv52
