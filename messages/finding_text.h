#pragma once

#include "protocol/answer_finding.h"

#include <string_view>

namespace orv52 {

// For a technician in the field, in Polish: what came back from the receiver and what to check.
// Empty for a sound answer, which needs no advice.
std::string_view findingText(Finding finding);

} // namespace orv52
