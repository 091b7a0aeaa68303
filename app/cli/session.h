#pragma once

#include "command_line.h"
#include "exit_code.h"
#include "link/exchange_controller.h"
#include "link/serial_port_control.h"
#include "protocol/answer_finding.h"
#include "protocol/configuration.h"

#include <QElapsedTimer>
#include <iosfwd>
#include <optional>

namespace orv52::cli {

// One run of the tool: the command the user gave, carried out with the window's own port control
// and exchange. Needs a QCoreApplication; each exchange waits in a local event loop.
class Session {
public:
    Session(Options options, std::ostream& out, std::ostream& err);

    // Carries out the command; every failure has been reported on err when this returns.
    ExitCode run();

private:
    void read();
    void program();
    void verify();

    Configuration loadInputFile() const;
    Configuration readReceiver();
    void programReceiver(const Configuration& settings);
    ExchangeController::Outcome exchange(std::span<const std::uint8_t> request);
    void writeOutput(const Configuration& settings);
    void compare(const Configuration& expected, const Configuration& actual);

    void trace(ExchangeController::Direction direction, std::span<const std::uint8_t> bytes);
    void report(std::string_view text) const;
    void reportFinding() const;

    Options options_;
    std::ostream& out_;
    std::ostream& err_;
    QElapsedTimer sinceStart_;
    SerialPortControl port_;
    ExchangeController exchange_{port_};
    // What came back in the last exchange that ran; its key goes into logs.
    std::optional<Finding> finding_;
    ExitCode result_ = ExitCode::Done;
};

} // namespace orv52::cli
