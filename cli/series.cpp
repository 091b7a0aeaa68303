#include "series.h"

#include "advice.h"
#include "checked_output.h"
#include "cli_platform.h"
#include "failure.h"
#include "json_log.h"
#include "messages/command_line_text.h"
#include "messages/failure_class.h"
#include "messages/file_failure_text.h"
#include "messages/series_text.h"
#include "programming.h"
#include "protocol/configuration_file.h"
#include "receiver_line.h"
#include "series_line.h"

#include <QEventLoop>
#include <QTimer>
#include <ostream>

namespace orv52::cli {

namespace {

// Queries while waiting start at most this often, so a wait never keeps the line or the CPU busy.
constexpr int kQueryIntervalMs = 1000;

// Marks a wait for a receiver to come or go, for as long as it lasts.
class WaitMark {
public:
    explicit WaitMark(bool& waiting) : waiting_(waiting) { waiting_ = true; }
    ~WaitMark() { waiting_ = false; }
    WaitMark(const WaitMark&) = delete;
    WaitMark& operator=(const WaitMark&) = delete;

private:
    bool& waiting_;
};

} // namespace

Series::Series(const Options& options, ReceiverLine& receiver, JsonLog& log, StopRequest& stop,
               std::ostream& out, std::ostream& err)
    : options_(options), receiver_(receiver), log_(log), out_(out), err_(err),
      status_(err, platform::standardErrorIsTerminal()), stop_(stop) {
    // A query while waiting changes nothing on the receiver, so a stop ends it at once.
    QObject::connect(&stop_, &StopRequest::stopRequested, [this] {
        if (waiting_)
            receiver_.cancel();
    });
}

ExitCode Series::run(const Configuration& settings, const std::optional<QString>& backupDirectory) {
    bool backupFailed = false;
    while (!stop_.requested() && !countReached()) {
        const auto detected = waitForReceiver();
        if (!detected)
            break;
        status_.show(programmingReceiverText(done_ + failed_ + 1));
        const ReceiverResult one = programOne(settings, backupDirectory, *detected);
        report(one);
        // A backup folder that cannot take one backup will not take the next either.
        backupFailed = one.result == ExitCode::OutputFailed;
        if (backupFailed || countReached())
            break;
        const bool departed = waitForDeparture(one.facts.readBack.value_or(*detected), settings);
        if (!departed)
            break;
    }
    status_.clear();
    out_ << seriesSummaryText(done_, failed_);
    const bool cutShort = options_.count > 0 && !countReached() && !backupFailed;
    if (cutShort)
        out_ << seriesStoppedText(done_ + failed_, options_.count);
    flushChecked(out_, kStandardOutput);
    if (backupFailed)
        return ExitCode::OutputFailed;
    if (cutShort)
        return ExitCode::Interrupted;
    return failed_ == 0 ? ExitCode::Done : ExitCode::ReceiverFailed;
}

std::optional<Configuration> Series::waitForReceiver() {
    const WaitMark waiting(waiting_);
    status_.show(kWaitingForReceiverText);
    while (!stop_.requested()) {
        QElapsedTimer queryStarted;
        queryStarted.start();
        try {
            const Configuration held = receiver_.read();
            portTrouble_.clear();
            return held;
        } catch (const Failure& failure) {
            // No answer, or a garbled one from a receiver being plugged in, is simply no
            // receiver yet; a port that fails is told, and tried again.
            if (isPortFailure(failure.code()))
                tellPortTrouble(failure.what());
            else
                portTrouble_.clear();
        }
        pauseAfter(queryStarted);
    }
    return std::nullopt;
}

bool Series::waitForDeparture(const Configuration& lastSeen, const Configuration& sent) {
    const WaitMark waiting(waiting_);
    status_.show(kWaitingForDepartureText);
    while (!stop_.requested()) {
        QElapsedTimer queryStarted;
        queryStarted.start();
        try {
            // Another answer is another receiver, swapped in between two queries; one that holds
            // what was sent may still be this one, after a read-back that failed.
            const Configuration held = receiver_.read();
            if (held != lastSeen && !differingKeys(sent, held).empty())
                return true;
        } catch (const Failure& failure) {
            // A garbled answer still comes from a receiver on the line.
            if (failure.code() != ExitCode::TransmissionError)
                return true;
        }
        pauseAfter(queryStarted);
    }
    return false;
}

void Series::pauseAfter(const QElapsedTimer& queryStarted) {
    const auto left = kQueryIntervalMs - queryStarted.elapsed();
    if (left <= 0 || stop_.requested())
        return;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(left), &loop, &QEventLoop::quit);
    QObject::connect(&stop_, &StopRequest::stopRequested, &loop, &QEventLoop::quit);
    loop.exec();
}

void Series::tellPortTrouble(const std::string& reason) {
    if (reason == portTrouble_)
        return;
    portTrouble_ = reason;
    status_.clear();
    err_ << kCliPrefix << retryingText(reason) << std::endl;
    status_.show(kWaitingForReceiverText);
}

ReceiverResult Series::programOne(const Configuration& settings,
                                  const std::optional<QString>& backupDirectory,
                                  const Configuration& detected) {
    ReceiverFacts facts;
    facts.firmwareVersion = detected.firmwareVersion;
    ExitCode result = ExitCode::Done;
    std::string failure;
    try {
        // The answer that showed the receiver has come is its backup: no second read.
        programReceiver(receiver_, settings, backupDirectory, detected, {}, facts);
        result = compareHeld(facts, settings, facts.readBack.value());
    } catch (const Failure& failed) {
        result = failed.code();
        failure = failed.what();
    }
    const ExchangeRecord& exchange = receiver_.lastExchange();
    return {.port = options_.port,
            .device = exchange.device,
            .reachedByNumber = false,
            .result = result,
            .failure = failure,
            .facts = facts,
            .answer = exchange.reading};
}

void Series::report(const ReceiverResult& one) {
    const bool done = one.result == ExitCode::Done;
    (done ? done_ : failed_) += 1;
    const QDateTime now = QDateTime::currentDateTime();
    status_.clear();
    out_ << seriesResultLine(now, done_ + failed_, one);
    if (!done && one.result != ExitCode::Differs)
        err_ << kCliPrefix << one.failure << std::endl;
    if (const std::string advice = adviceAfter(one.result, one.answer); !advice.empty())
        err_ << kCliPrefix << advice << std::endl;
    if (status_.onTerminal() && !options_.quiet)
        err_ << '\a' << std::flush;
    log_.append(now, "series", one);
    // Results nobody sees end the series: the receivers after it would go unreported.
    flushChecked(out_, kSeriesLineOutput);
}

bool Series::countReached() const {
    return options_.count > 0 && done_ + failed_ >= options_.count;
}

} // namespace orv52::cli
