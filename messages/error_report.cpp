#include "error_report.h"

#include "failure_class.h"
#include "link/port_access.h"
#include "message_catalogue.h"

namespace orv52 {

std::optional<OperatorMessage> operatorMessageFor(const NumberedError& error) {
    const auto id = classOfError(error.number()).messageId;
    if (!id)
        return std::nullopt;
    // Only the port says who may open it; the words to the operator are said here.
    if (const auto* denied = dynamic_cast<const PortAccessDenied*>(&error))
        return OperatorMessage{id.value(), accessDeniedDetail(denied->device().toStdString(),
                                                              denied->group().toStdString())};
    return OperatorMessage{id.value(), {}};
}

} // namespace orv52
