#include "link/exchange_controller.h"

#include <QEventLoop>
#include <utility>
#include <vector>

namespace orv52 {

ExchangeController::ExchangeController(SerialPortControl& port, QObject* parent)
    : QObject(parent), port_(port) {
    pollTimer_.setObjectName(QStringLiteral("Odbieraj_Timer"));
    timeoutTimer_.setObjectName(QStringLiteral("TimeOut_Timer"));
    pollTimer_.setInterval(kPollIntervalMs);
    timeoutTimer_.setInterval(kTimeoutMs);
    // A coarse timer may fire up to 5 % early; the receiver is promised the full two seconds.
    timeoutTimer_.setTimerType(Qt::PreciseTimer);
    connect(&pollTimer_, &QTimer::timeout, this, [this] {
        if (running_)
            lookAtAnswer(port_.pendingCount());
    });
    connect(&timeoutTimer_, &QTimer::timeout, this, [this] { finish(Outcome::NoAnswer); });
}

void ExchangeController::setTrace(Trace trace) {
    trace_ = std::move(trace);
}

void ExchangeController::start(std::span<const std::uint8_t> request) {
    answer_.emplace(request);
    reading_.reset();
    if (!port_.isOpen())
        port_.open();
    port_.discardInput();
    port_.write(request);
    traceBytes(Direction::Sent, request);
    running_ = true;
    pollTimer_.start();
    timeoutTimer_.start();
}

std::optional<ExchangeController::Outcome> ExchangeController::takeArrivedBytes(int waiting) {
    if (waiting == 0)
        return std::nullopt;
    std::vector<std::uint8_t> batch;
    batch.reserve(static_cast<std::size_t>(waiting));
    for (int i = 0; i < waiting; ++i) {
        const auto byte = port_.readOne();
        if (!byte)
            break; // the port failed; what came before it is still the receiver's
        batch.push_back(*byte);
    }
    traceBytes(Direction::Received, batch);
    switch (answer_.value().take(batch)) {
    case Recognition::ProgrammingAnswer:
        return Outcome::ProgrammingDone;
    case Recognition::ConfigurationAnswer:
        return answer_.value().reading().configuration ? Outcome::ConfigurationReceived
                                                       : Outcome::TransmissionError;
    case Recognition::Incomplete:
    case Recognition::StrayData:
        break;
    }
    return std::nullopt;
}

void ExchangeController::lookAtAnswer(int waiting) {
    if (const auto outcome = takeArrivedBytes(waiting))
        finish(*outcome);
}

void ExchangeController::finish(Outcome outcome) {
    if (!running_)
        return;
    if (outcome != Outcome::PortLost)
        reading_ = answer_.value().reading();
    end();
    emit finished(outcome);
}

void ExchangeController::end() {
    running_ = false;
    pollTimer_.stop();
    timeoutTimer_.stop();
    port_.close();
}

ExchangeController::Outcome ExchangeController::run(std::span<const std::uint8_t> request) {
    start(request);
    QEventLoop loop;
    Outcome outcome = Outcome::NoAnswer;
    const auto ended = connect(this, &ExchangeController::finished, &loop, [&](Outcome how) {
        outcome = how;
        loop.quit();
    });
    // Queued: the port tells of bytes and of its loss from inside its own reads, the poll's too.
    const auto arrived = connect(
        &port_, &SerialPortControl::bytesArrived, this,
        [this] {
            if (running_)
                lookAtAnswer(port_.receivedCount());
        },
        Qt::QueuedConnection);
    const auto lost = connect(
        &port_, &SerialPortControl::deviceLost, this, [this] { finish(Outcome::PortLost); },
        Qt::QueuedConnection);
    // The device may have failed while the request went out.
    if (!port_.isOpen())
        finish(Outcome::PortLost);
    if (running_)
        loop.exec();
    disconnect(ended);
    disconnect(arrived);
    disconnect(lost);
    return outcome;
}

void ExchangeController::cancelRun() {
    finish(Outcome::NoAnswer);
}

void ExchangeController::traceBytes(Direction direction,
                                    std::span<const std::uint8_t> bytes) const {
    if (trace_)
        trace_(direction, bytes);
}

} // namespace orv52
