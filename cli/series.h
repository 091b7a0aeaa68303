#pragma once

#include "messages/exit_code.h"
#include "options.h"
#include "protocol/configuration.h"
#include "receiver_result.h"
#include "status_line.h"
#include "stop_request.h"

#include <QElapsedTimer>
#include <QString>
#include <iosfwd>
#include <optional>
#include <string>

namespace orv52::cli {

class JsonLog;
class ReceiverLine;

// program --series: one receiver after another on the same port with the same settings, as a
// workshop sets up a batch. Waits for a receiver (a query a second), programs it with a backup,
// reports it in one line, then waits until it is unplugged (or swapped for another) before
// waiting for the next, so that no receiver is programmed twice. Ctrl-C ends a wait at once, and
// anything else once the exchange under way has ended.
class Series {
public:
    Series(const Options& options, ReceiverLine& receiver, JsonLog& log, StopRequest& stop,
           std::ostream& out, std::ostream& err);

    // Until --count receivers have been handled or the user stops it; then the summary. Done
    // only when every receiver ended done, ReceiverFailed otherwise; OutputFailed when a backup
    // could not be written, which also ends the series; Interrupted when the user stopped it
    // before its --count, which the summary then tells. Throws Failure (OutputFailed) when a result
    // line or the summary cannot be written.
    ExitCode run(const Configuration& settings, const std::optional<QString>& backupDirectory);

private:
    // The settings of the receiver that answered; nothing when the user stopped first.
    std::optional<Configuration> waitForReceiver();
    // Until the receiver last seen holding `lastSeen`, after it was sent `sent`, stops answering
    // or another answers in its place; false when the user stopped first.
    bool waitForDeparture(const Configuration& lastSeen, const Configuration& sent);
    // Until a second after `queryStarted`, or until the user stops.
    void pauseAfter(const QElapsedTimer& queryStarted);
    void tellPortTrouble(const std::string& reason);
    // Programs the receiver that answered holding `detected`; its failure is its result.
    ReceiverResult programOne(const Configuration& settings,
                              const std::optional<QString>& backupDirectory,
                              const Configuration& detected);
    void report(const ReceiverResult& receiver);
    bool countReached() const;

    const Options& options_;
    ReceiverLine& receiver_;
    JsonLog& log_;
    std::ostream& out_;
    std::ostream& err_;
    StatusLine status_;
    StopRequest& stop_;
    std::string portTrouble_; // the last port failure told, until the port works again
    bool waiting_ = false;    // for a receiver to come or to go: a stop need not wait for the query
    int done_ = 0;
    int failed_ = 0;
};

} // namespace orv52::cli
