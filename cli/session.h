#pragma once

#include "json_log.h"
#include "messages/exit_code.h"
#include "options.h"
#include "protocol/configuration.h"
#include "receiver_line.h"
#include "receiver_result.h"
#include "stop_request.h"

#include <QString>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

// One run of the tool: the command the user gave, carried out with the window's own port control
// and exchange. Needs a QCoreApplication; each exchange waits in a local event loop.
class Session {
public:
    // On the port the options name.
    Session(Options options, std::ostream& out, std::ostream& err);
    // With `receiver` in place of the port's exchanges, as a test decides what each comes to.
    Session(Options options, std::unique_ptr<ReceiverLine> receiver, std::ostream& out,
            std::ostream& err);

    // Carries out the command; every failure has been reported on err when this returns.
    ExitCode run();

private:
    // The command's own code; throws Failure.
    ExitCode runCommand();
    // ports, with --probe what answers on each.
    ExitCode listPorts();
    // --port auto: the exchanges go to the single port where a receiver answers.
    void useTheProbedPort();
    ExitCode read();
    ExitCode program();
    ExitCode verify();

    Configuration loadInputFile() const;
    // The folder for backups before a programming, created now so that a folder that cannot
    // exist stops the command before the port is touched; nothing for --no-backup.
    std::optional<QString> prepareBackupDirectory() const;
    Configuration readReceiver();
    void writeOutput(const Configuration& settings);
    // Compares what the receiver holds with `expected` and tells the user how they differ.
    ExitCode compare(const Configuration& expected, const Configuration& held);
    void report(std::string_view text) const;

    Options options_;
    // Ctrl-C for every command: a series ends as it says; any other command lets the exchange
    // under way end and starts no other.
    StopRequest stop_;
    std::ostream& out_;
    std::ostream& err_;
    PortResolver resolver_; // the system's devices, with the pins given
    std::unique_ptr<ReceiverLine> receiver_;
    JsonLog log_{err_};
    ReceiverFacts facts_; // what the command learnt of the receiver, for its log line
};

} // namespace orv52::cli
