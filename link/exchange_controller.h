#pragma once

#include "link/serial_port_control.h"
#include "protocol/configuration.h"
#include "protocol/receive_buffer.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace orv52 {

// One exchange with the receiver: a request written to the port, a poll of the port every
// 100 ms that feeds the answer recognition, and a 2000 ms timeout that is not extended by bytes
// that arrive. The port belongs to whoever created the controller.
//
// The window drives it step by step from its own handlers (its poll and timeout ticks are these
// timers); a front end without a window calls run(), which does the same steps in a local event
// loop and returns the outcome.
class ExchangeController : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollIntervalMs = 100;
    static constexpr int kTimeoutMs = 2000;

    // What one poll tick found.
    enum class Poll {
        Waiting,               // nothing complete yet; the next tick goes on
        ProgrammingDone,       // the programming answer is complete
        ConfigurationReceived, // a configuration answer whose record can be shown
        TransmissionError,     // a configuration answer whose record fails its check
    };
    // How an exchange ended. PortLost: the device went away under run(), which then ends at once.
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

    QTimer& pollTimer() { return pollTimer_; }
    QTimer& timeoutTimer() { return timeoutTimer_; }
    const ReceiveBuffer& receiveBuffer() const { return receiveBuffer_; }
    // Every byte read since the last start(), in arrival order. The receive buffer drops stray
    // bytes and stops growing past an answer's length; this keeps them all to tell why an
    // exchange failed.
    const std::vector<std::uint8_t>& receivedBytes() const { return receivedBytes_; }
    void setTrace(Trace trace);

    void clearReceiveBuffer();
    // Opens the port if it is not open, discards its pending input, writes the request and
    // starts the poll timer, then the timeout timer. Throws NumberedError (the port's errors);
    // the timers stay stopped then.
    void start(std::span<const std::uint8_t> request);
    // One poll tick: moves the waiting bytes into the receive buffer and recognises them.
    Poll poll();
    // The settings of the last ConfigurationReceived.
    const std::optional<Configuration>& receivedConfiguration() const { return received_; }
    // Stops both timers and closes the port.
    void end();

    // The whole exchange, waiting in a local event loop: empties the receive buffer, starts, and
    // ends on the first complete answer, on the timeout, or when the device goes away. Throws as
    // start() does.
    Outcome run(std::span<const std::uint8_t> request);
    // Ends a run() under way at once, as if nothing had come back; does nothing otherwise. For a
    // front end that stops while it only waits for a receiver to appear.
    void cancelRun();

private:
    void traceBytes(Direction direction, std::span<const std::uint8_t> bytes) const;

    SerialPortControl& port_;
    QTimer pollTimer_{this};
    QTimer timeoutTimer_{this};
    ReceiveBuffer receiveBuffer_;
    std::vector<std::uint8_t> receivedBytes_;
    std::optional<Configuration> received_;
    Trace trace_;
    std::function<void()> cancelRun_;
};

} // namespace orv52
