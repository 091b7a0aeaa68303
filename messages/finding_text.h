#pragma once

#include "protocol/answer_finding.h"

#include <string>

namespace orv52 {

// For a technician in the field, in Polish: what came back from the receiver and what to check.
// Empty for a sound answer, which needs no advice.
std::string findingText(const AnswerReading& reading);

// A list setting this program does not know: which setting, the byte as the receiver sent it,
// what the list holds, and why that may be.
std::string unknownValueText(const UnknownListValue& unknown);

} // namespace orv52
