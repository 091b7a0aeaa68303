#include "receiver_exchanges.h"

#include "messages/command_line_text.h"
#include "messages/error_report.h"
#include "messages/failure_class.h"
#include "messages/message_catalogue.h"
#include "protocol/requests.h"
#include "trace_line.h"

#include <ostream>

namespace orv52::cli {

namespace {

using Outcome = ExchangeController::Outcome;

std::string messageText(int messageId) {
    return std::string(findMessage(messageId).value().text);
}

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

} // namespace

ReceiverExchanges::ReceiverExchanges(const PortResolver& resolver, const PortChoice& port,
                                     bool trace, std::ostream& traceOut)
    : traceOut_(traceOut) {
    sinceStart_.start();
    port_.resolver() = resolver;
    port_.choose(port);
    if (trace)
        exchange_.setTrace([this](auto direction, auto bytes) { this->trace(direction, bytes); });
}

void ReceiverExchanges::usePort(const PortChoice& port) {
    port_.choose(port);
}

Configuration ReceiverExchanges::read() {
    const Outcome outcome = exchange(makeConfigurationQuery());
    if (outcome != Outcome::ConfigurationReceived)
        throw failureAfter(outcome, Outcome::ConfigurationReceived);
    return last_.reading.value().configuration.value();
}

void ReceiverExchanges::program(const Configuration& settings) {
    Record frame = makeProgrammingFrameTemplate();
    fillProgrammingFrame(frame, settings);
    const Outcome outcome = exchange(frame);
    if (outcome != Outcome::ProgrammingDone)
        throw failureAfter(outcome, Outcome::ProgrammingDone);
}

Failure ReceiverExchanges::failureAfter(Outcome outcome, Outcome wanted) const {
    if (outcome == Outcome::PortLost)
        return {classOfOutcome(outcome).exitCode, portLostText(last_.device)};
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

Outcome ReceiverExchanges::exchange(std::span<const std::uint8_t> request) {
    if (stop_ && stop_->requested())
        throw Failure{ExitCode::Interrupted, kInterruptedText};
    last_ = {};
    try {
        const Outcome outcome = exchange_.run(request);
        last_ = {port_.deviceName().toStdString(), exchange_.reading()};
        return outcome;
    } catch (const NumberedError& error) {
        exchange_.end();
        last_ = {port_.deviceName().toStdString(), std::nullopt};
        throw portFailure(error);
    }
}

void ReceiverExchanges::trace(ExchangeController::Direction direction,
                              std::span<const std::uint8_t> bytes) {
    const double seconds = static_cast<double>(sinceStart_.nsecsElapsed()) / 1e9;
    traceOut_ << traceLine(seconds, direction == ExchangeController::Direction::Sent, bytes)
              << std::flush;
}

} // namespace orv52::cli
