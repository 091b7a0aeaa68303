#pragma once

#include "link/port_resolver.h"
#include "protocol/answer_finding.h"
#include "protocol/configuration.h"
#include "stop_request.h"

#include <optional>
#include <string>

namespace orv52::cli {

// The last exchange with a receiver, as the command line records it.
struct ExchangeRecord {
    std::string device; // the device the port was opened on; empty before the first exchange
    // What came back; nothing after an exchange that could not start or whose device went away.
    std::optional<AnswerReading> reading;
};

// One receiver's exchanges as the commands use them: ReceiverExchanges on a port, or a test's
// stand-in that decides what each exchange comes to.
class ReceiverLine {
public:
    virtual ~ReceiverLine() = default;

    // Points the exchanges at another port.
    virtual void usePort(const PortChoice& port) = 0;
    // The device and what came back in the last exchange, whether it succeeded or threw: the one
    // route by which a command learns them.
    virtual const ExchangeRecord& lastExchange() const = 0;
    // What the receiver holds. Throws Failure.
    virtual Configuration read() = 0;
    // Sends the settings; returns once the receiver has acknowledged them. Throws Failure.
    virtual void program(const Configuration& settings) = 0;
    // Ends the exchange under way as if nothing had come back.
    virtual void cancel() = 0;
    // Once `stop` is requested, no further exchange starts: each throws Failure (Interrupted).
    // The exchange under way runs to its end.
    virtual void refuseAfter(const StopRequest& stop) = 0;
};

} // namespace orv52::cli
