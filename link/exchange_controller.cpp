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
    for (int i = 0; i < waiting; ++i) {
        const auto byte = port_.readOne();
        if (!byte)
            break; // the port failed; what came before it is still the receiver's
        batch.push_back(*byte);
    }
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
