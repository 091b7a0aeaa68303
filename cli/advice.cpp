#include "advice.h"

#include "messages/finding_text.h"

namespace orv52::cli {

std::string_view adviceAfter(ExitCode code, const std::optional<Finding>& finding) {
    if (!finding || (code != ExitCode::NoAnswer && code != ExitCode::TransmissionError))
        return {};
    return findingText(*finding);
}

} // namespace orv52::cli
