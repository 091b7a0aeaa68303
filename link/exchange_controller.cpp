#include "link/exchange_controller.h"

#include <QEventLoop>
#include <utility>

namespace orv52 {

ExchangeController::ExchangeController(SerialPortControl& port, QObject* parent)
    : QObject(parent), port_(port) {
    pollTimer_.setInterval(kPollIntervalMs);
    timeoutTimer_.setInterval(kTimeoutMs);
    // A coarse timer may fire up to 5 % early; the receiver is promised the full two seconds.
    timeoutTimer_.setTimerType(Qt::PreciseTimer);
}

void ExchangeController::setTrace(Trace trace) {
    trace_ = std::move(trace);
}

void ExchangeController::clearReceiveBuffer() {
    receiveBuffer_.clear();
}

void ExchangeController::start(std::span<const std::uint8_t> request) {
    receivedBytes_.clear();
    if (!port_.isOpen())
        port_.open();
    port_.discardInput();
    port_.write(request);
    traceBytes(Direction::Sent, request);
    pollTimer_.start();
    timeoutTimer_.start();
}

ExchangeController::Poll ExchangeController::poll() {
    const int waiting = port_.pendingCount();
    if (waiting == 0)
        return Poll::Waiting;
    std::vector<std::uint8_t> batch;
    batch.reserve(static_cast<std::size_t>(waiting));
    for (int i = 0; i < waiting; ++i)
        batch.push_back(port_.readOne());
    traceBytes(Direction::Received, batch);
    receiveBuffer_.append(batch);
    receivedBytes_.insert(receivedBytes_.end(), batch.begin(), batch.end());

    switch (receiveBuffer_.recognise()) {
    case Verdict::ProgrammingDone:
        return Poll::ProgrammingDone;
    case Verdict::ConfigurationReceived:
        received_ = readConfiguration(receiveBuffer_.record());
        return received_ ? Poll::ConfigurationReceived : Poll::TransmissionError;
    case Verdict::Incomplete:
    case Verdict::StrayData:
        break;
    }
    return Poll::Waiting;
}

void ExchangeController::end() {
    pollTimer_.stop();
    timeoutTimer_.stop();
    port_.close();
}

ExchangeController::Outcome ExchangeController::run(std::span<const std::uint8_t> request) {
    clearReceiveBuffer();
    start(request);
    // The device may have failed while the request went out.
    if (!port_.isOpen()) {
        end();
        return Outcome::PortLost;
    }
    QEventLoop loop;
    Outcome outcome = Outcome::NoAnswer;
    const auto finish = [&](Outcome how) {
        end();
        outcome = how;
        loop.quit();
    };
    connect(&pollTimer_, &QTimer::timeout, &loop, [&] {
        switch (poll()) {
        case Poll::Waiting:
            break;
        case Poll::ProgrammingDone:
            finish(Outcome::ProgrammingDone);
            break;
        case Poll::ConfigurationReceived:
            finish(Outcome::ConfigurationReceived);
            break;
        case Poll::TransmissionError:
            finish(Outcome::TransmissionError);
            break;
        }
    });
    connect(&timeoutTimer_, &QTimer::timeout, &loop, [&] { finish(Outcome::NoAnswer); });
    connect(&port_, &SerialPortControl::deviceLost, &loop, [&] { finish(Outcome::PortLost); });
    cancelRun_ = [&] { finish(Outcome::NoAnswer); };
    loop.exec();
    cancelRun_ = nullptr;
    return outcome;
}

void ExchangeController::cancelRun() {
    if (cancelRun_)
        cancelRun_();
}

void ExchangeController::traceBytes(Direction direction,
                                    std::span<const std::uint8_t> bytes) const {
    if (trace_)
        trace_(direction, bytes);
}

} // namespace orv52
