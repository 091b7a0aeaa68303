#include "error_report.h"

#include "link/port_access.h"
#include "message_catalogue.h"

namespace orv52 {

std::optional<OperatorMessage> operatorMessageFor(const NumberedError& error) {
    switch (error.number()) {
    case error_number::InvalidPortNumber:
        return OperatorMessage{message_id::InvalidPortNumber, {}};
    case error_number::PortAlreadyOpen:
        return OperatorMessage{message_id::PortBusy, {}};
    case error_number::PortAccessDenied:
        // Only the port says who may open it; the words to the operator are said here.
        if (const auto* denied = dynamic_cast<const PortAccessDenied*>(&error))
            return OperatorMessage{
                message_id::PortAccessDenied,
                accessDeniedDetail(denied->device().toStdString(), denied->group().toStdString())};
        return OperatorMessage{message_id::PortAccessDenied, {}};
    default:
        return std::nullopt;
    }
}

} // namespace orv52
