#pragma once

#include "exit_code.h"
#include "failure.h"
#include "link/exchange_controller.h"
#include "link/serial_port_control.h"
#include "protocol/answer_finding.h"
#include "protocol/configuration.h"
#include "stop_request.h"

#include <QElapsedTimer>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace orv52::cli {

// The two exchanges of the command line with the receiver on the port the user named, each with
// the window's own port control and exchange, waiting in a local event loop. The port is closed
// between exchanges. Needs a QCoreApplication.
class ReceiverExchanges {
public:
    // On `port` as `resolver` resolves it. With `trace`, every byte on the line goes to
    // `traceOut`.
    ReceiverExchanges(const PortResolver& resolver, const PortChoice& port, bool trace,
                      std::ostream& traceOut);

    // Points the exchanges at another port.
    void usePort(const PortChoice& port);
    // What came back in the last exchange that ran to its end, as its controller found; nothing
    // before the first and after one that could not start.
    const std::optional<Finding>& lastFinding() const { return exchange_.finding(); }

    // What the receiver holds. Throws Failure.
    Configuration read();
    // Sends the settings; returns once the receiver has acknowledged them. Throws Failure.
    void program(const Configuration& settings);
    // Ends the exchange under way as if nothing had come back.
    void cancel() { exchange_.cancelRun(); }
    // Once `stop` is requested, no further exchange starts: each throws Failure (Interrupted).
    // The exchange under way runs to its end.
    void refuseAfter(const StopRequest& stop) { stop_ = &stop; }

private:
    ExchangeController::Outcome exchange(std::span<const std::uint8_t> request);
    void trace(ExchangeController::Direction direction, std::span<const std::uint8_t> bytes);

    const StopRequest* stop_ = nullptr;
    std::ostream& traceOut_;
    QElapsedTimer sinceStart_;
    SerialPortControl port_;
    ExchangeController exchange_{port_};
};

} // namespace orv52::cli
