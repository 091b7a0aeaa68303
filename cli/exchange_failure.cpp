#include "exchange_failure.h"

#include "messages/command_line_text.h"
#include "messages/error_report.h"
#include "messages/failure_class.h"
#include "messages/message_catalogue.h"

namespace orv52::cli {

namespace {

using Outcome = ExchangeController::Outcome;

std::string messageText(int messageId) {
    return std::string(findMessage(messageId).value().text);
}

} // namespace

Failure portFailure(const NumberedError& error) {
    const ExitCode code = classOfError(error.number()).exitCode;
    const auto message = operatorMessageFor(error);
    if (!message)
        return {code, portErrorText(error.what())};
    std::string text = messageText(message->id);
    if (!message->detail.empty())
        text += " " + message->detail;
    return {code, text};
}

Failure failureAfter(Outcome outcome, Outcome wanted, const std::string& device) {
    if (outcome == Outcome::PortLost)
        return {classOfOutcome(outcome).exitCode, portLostText(device)};
    if (outcome == Outcome::NoAnswer) {
        const FailureClass& silence = classOfOutcome(outcome);
        return {silence.exitCode, messageText(silence.messageId.value())};
    }
    // The answer to the other request is as damaged as a garbled one. A read's damaged answer is
    // told as the window tells it; any other wrong answer says what was missing.
    const FailureClass& damaged = classOfOutcome(Outcome::TransmissionError);
    if (outcome == Outcome::TransmissionError && wanted == Outcome::ConfigurationReceived)
        return {damaged.exitCode, messageText(damaged.messageId.value())};
    return {damaged.exitCode, wrongAnswerText(wanted == Outcome::ConfigurationReceived
                                                  ? ExpectedAnswer::Configuration
                                                  : ExpectedAnswer::Acknowledgement)};
}

} // namespace orv52::cli
