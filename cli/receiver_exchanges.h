#pragma once

#include "failure.h"
#include "link/exchange_controller.h"
#include "link/serial_port_control.h"
#include "protocol/answer_finding.h"
#include "protocol/configuration.h"
#include "receiver_line.h"
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
class ReceiverExchanges final : public ReceiverLine {
public:
    // On `port` as `resolver` resolves it. With `trace`, every byte on the line goes to
    // `traceOut`.
    ReceiverExchanges(const PortResolver& resolver, const PortChoice& port, bool trace,
                      std::ostream& traceOut);

    void usePort(const PortChoice& port) override;
    const ExchangeRecord& lastExchange() const override { return last_; }
    Configuration read() override;
    void program(const Configuration& settings) override;
    void cancel() override { exchange_.cancelRun(); }
    void refuseAfter(const StopRequest& stop) override { stop_ = &stop; }

private:
    ExchangeController::Outcome exchange(std::span<const std::uint8_t> request);
    void trace(ExchangeController::Direction direction, std::span<const std::uint8_t> bytes);

    const StopRequest* stop_ = nullptr;
    std::ostream& traceOut_;
    QElapsedTimer sinceStart_;
    SerialPortControl port_;
    ExchangeController exchange_{port_};
    ExchangeRecord last_;
};

} // namespace orv52::cli
