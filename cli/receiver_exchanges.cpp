#include "receiver_exchanges.h"

#include "messages/command_line_text.h"
#include "messages/error_report.h"
#include "messages/message_catalogue.h"
#include "protocol/requests.h"
#include "trace_line.h"

#include <ostream>

namespace orv52::cli {

namespace {

std::string messageText(int messageId) {
    return std::string(findMessage(messageId).value().text);
}

Failure portFailure(const NumberedError& error) {
    const auto message = operatorMessageFor(error);
    if (!message)
        return {exitCodeForError(error), portErrorText(error.what())};
    std::string text = messageText(message->id);
    if (!message->detail.empty())
        text += " " + message->detail;
    return {exitCodeForError(error), text};
}

Failure portLost(const QString& device) {
    return {ExitCode::PortFailed, portLostText(device.toStdString())};
}

Failure unexpectedAnswer(ExpectedAnswer expected, const std::optional<Finding>& finding) {
    return {ExitCode::TransmissionError, wrongAnswerText(expected), finding};
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
    const auto query = makeConfigurationQuery();
    switch (exchange(query)) {
    case ExchangeController::Outcome::ConfigurationReceived:
        return exchange_.receivedConfiguration().value();
    case ExchangeController::Outcome::ProgrammingDone:
        throw unexpectedAnswer(ExpectedAnswer::Configuration, exchange_.finding());
    case ExchangeController::Outcome::TransmissionError:
        throw Failure{ExitCode::TransmissionError, messageText(message_id::TransmissionError),
                      exchange_.finding()};
    case ExchangeController::Outcome::PortLost:
        throw portLost(port_.deviceName());
    case ExchangeController::Outcome::NoAnswer:
        break;
    }
    throw Failure{ExitCode::NoAnswer, messageText(message_id::NoConnection), exchange_.finding()};
}

void ReceiverExchanges::program(const Configuration& settings) {
    Record frame = makeProgrammingFrameTemplate();
    fillProgrammingFrame(frame, settings);
    switch (exchange(frame)) {
    case ExchangeController::Outcome::ProgrammingDone:
        return;
    case ExchangeController::Outcome::ConfigurationReceived:
    case ExchangeController::Outcome::TransmissionError:
        throw unexpectedAnswer(ExpectedAnswer::Acknowledgement, exchange_.finding());
    case ExchangeController::Outcome::PortLost:
        throw portLost(port_.deviceName());
    case ExchangeController::Outcome::NoAnswer:
        break;
    }
    throw Failure{ExitCode::NoAnswer, messageText(message_id::NoConnection), exchange_.finding()};
}

ExchangeController::Outcome ReceiverExchanges::exchange(std::span<const std::uint8_t> request) {
    if (stop_ && stop_->requested())
        throw Failure{ExitCode::Interrupted, kInterruptedText};
    try {
        return exchange_.run(request);
    } catch (const NumberedError& error) {
        exchange_.end();
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
