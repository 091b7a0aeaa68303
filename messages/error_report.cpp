#include "error_report.h"

#include "message_catalogue.h"

namespace orv52 {

std::optional<OperatorMessage> operatorMessageFor(const NumberedError& error) {
    switch (error.number()) {
    case error_number::InvalidPortNumber:
        return OperatorMessage{message_id::InvalidPortNumber, error.detail()};
    case error_number::PortAlreadyOpen:
        return OperatorMessage{message_id::PortBusy, error.detail()};
    case error_number::PortAccessDenied:
        return OperatorMessage{message_id::PortAccessDenied, error.detail()};
    default:
        return std::nullopt;
    }
}

} // namespace orv52
