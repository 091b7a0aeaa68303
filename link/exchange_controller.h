#pragma once

#include "link/serial_port_control.h"
#include "protocol/answer_finding.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace orv52 {

// One exchange with the receiver: a request written to the port, a poll of the port every
// 100 ms that feeds the answer recognition, and a 2000 ms timeout that is not extended by bytes
// that arrive. The port belongs to whoever created the controller.
//
// The controller alone decides how an exchange ends and says so once, with finished(). The
// window starts an exchange with start() and reacts to finished(); its answers are looked at on
// the poll tick only. A front end without a window calls run(), which also looks at the answer
// as its bytes arrive, so it ends within milliseconds of the answer's last byte, and waits in a
// local event loop.
class ExchangeController : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollIntervalMs = 100;
    static constexpr int kTimeoutMs = 2000;

    // How an exchange ended. PortLost: the device went away under run() (an adapter pulled),
    // which then ends at once; the window's exchange waits for its timeout instead.
    enum class Outcome {
        ProgrammingDone,
        ConfigurationReceived,
        TransmissionError,
        NoAnswer,
        PortLost
    };

    enum class Direction { Sent, Received };
    // Sees every byte written to and read from the port, in the order they pass.
    using Trace = std::function<void(Direction, std::span<const std::uint8_t>)>;

    explicit ExchangeController(SerialPortControl& port, QObject* parent = nullptr);

    // What came back in the exchange that ended last, as its bytes were judged on arrival: the
    // finding, and the settings of a ConfigurationReceived. Nothing while one runs, after one
    // that could not start and after the device went away under it, which says nothing of the
    // receiver.
    const std::optional<AnswerReading>& reading() const { return reading_; }
    void setTrace(Trace trace);

    // Starts reading the answer to `request` afresh, opens the port if it is not open, discards
    // its pending input, writes the request and starts the poll timer ("Odbieraj_Timer"), then
    // the timeout timer ("TimeOut_Timer"). Throws NumberedError (the port's errors); the timers
    // stay stopped then.
    void start(std::span<const std::uint8_t> request);
    // Stops both timers and closes the port.
    void end();

    // The whole exchange, waiting in a local event loop: starts, and ends on the first complete
    // answer, on the timeout, or when the device goes away. Throws as start() does.
    Outcome run(std::span<const std::uint8_t> request);
    // Ends a run() under way at once, as if nothing had come back; does nothing otherwise. For a
    // front end that stops while it only waits for a receiver to appear.
    void cancelRun();

signals:
    // The exchange has ended (its timers stopped, its port closed) with `outcome`.
    void finished(Outcome outcome);

private:
    // Hands the waiting bytes to the answer's reader; the outcome once an answer is whole. The poll
    // tick pulls what the system holds; a look on arrival takes what the port has just received.
    std::optional<Outcome> takeArrivedBytes(int waiting);
    void lookAtAnswer(int waiting);
    void finish(Outcome outcome);
    void traceBytes(Direction direction, std::span<const std::uint8_t> bytes) const;

    SerialPortControl& port_;
    QTimer pollTimer_{this};
    QTimer timeoutTimer_{this};
    std::optional<AnswerReader> answer_; // of the exchange started last
    std::optional<AnswerReading> reading_;
    Trace trace_;
    bool running_ = false;
};

} // namespace orv52
