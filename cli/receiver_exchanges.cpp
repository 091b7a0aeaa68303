#include "receiver_exchanges.h"

#include "exchange_failure.h"
#include "messages/command_line_text.h"
#include "protocol/requests.h"
#include "trace_line.h"

#include <ostream>

namespace orv52::cli {

using Outcome = ExchangeController::Outcome;

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
        throw failureAfter(outcome, Outcome::ConfigurationReceived, last_.device);
    return last_.reading.value().configuration.value();
}

void ReceiverExchanges::program(const Configuration& settings) {
    Record frame = makeProgrammingFrameTemplate();
    fillProgrammingFrame(frame, settings);
    const Outcome outcome = exchange(frame);
    if (outcome != Outcome::ProgrammingDone)
        throw failureAfter(outcome, Outcome::ProgrammingDone, last_.device);
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
