#include "advice.h"

#include "messages/finding_text.h"

namespace orv52::cli {

std::string adviceAfter(ExitCode code, const std::optional<AnswerReading>& reading) {
    if (!reading || (code != ExitCode::NoAnswer && code != ExitCode::TransmissionError))
        return {};
    return findingText(*reading);
}

} // namespace orv52::cli
