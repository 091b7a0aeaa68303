// Runs orv52-cli program --series over a series of receivers that come and go on the paced
// receiver simulator, and measures for each receiver the time from the end of its first answer
// (which is also its backup) to its result line (programming, read-back) against the line time of
// those two exchanges, and the CPU the command line spends while it waits for a receiver to come or
// go. Usage: series_bench [receivers, default 20]
#include "bench_args.h"
#include "line_time.h"
#include "median.h"
#include "protocol/configuration_file.h"
#include "support/receiver_simulator.h"
#include "thread_usage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Frame and acknowledgement, query and answer: the two exchanges after the first answer on a real
// line, and the share of them the simulator spends (it paces only what it sends).
const double kFloorMs = lineTimeMs(21 + 23) + lineTimeMs(5 + 28);
const double kAnswersMs = lineTimeMs(23) + lineTimeMs(28);
// A query answer as the simulator logs it: "TX" and 28 bytes; the version is its byte 26.
constexpr qsizetype kAnswerBytes = 28;
constexpr qsizetype kVersionAt = 5 + 2 + 19;
constexpr int kStayMs = 500;
constexpr int kAwayMs = 1500;

struct Receiver {
    double answeredMs = -1; // the end of its first answer on the line
    double resultMs = -1;   // its result line from orv52-cli
};

// Follows the simulator's log and orv52-cli's output on one clock, and the CPU orv52-cli spends
// between a result line (or its start) and the next receiver's first answer.
class SeriesWatch {
public:
    SeriesWatch(int receivers, pid_t cli) : receivers_(receivers), cli_(cli) {
        clock_.start();
        waitStart_ = sample();
    }

    void onSimulatorLog(const QByteArray& bytes) {
        for (const QByteArray& line : lines(simulatorText_, bytes)) {
            const QList<QByteArray> hex = line.split(' ');
            if (hex.first() != "TX" || hex.size() != kAnswerBytes + 1)
                continue;
            const int version = hex[kVersionAt + 1].toInt(nullptr, 16);
            if (version == lastVersion_ || version < 1 || version > int(receivers_.size()))
                continue;
            lastVersion_ = version;
            // Logged as the answer starts; the simulator then spends its line time on it.
            receivers_[version - 1].answeredMs = now() + lineTimeMs(kAnswerBytes);
            endWait();
        }
    }

    void onCliOutput(const QByteArray& bytes) {
        static const QRegularExpression result(QStringLiteral("  nr (\\d+)  "));
        for (const QByteArray& line : lines(cliText_, bytes)) {
            const auto match = result.match(QString::fromUtf8(line));
            const int ordinal = match.hasMatch() ? match.captured(1).toInt() : 0;
            if (ordinal < 1 || ordinal > int(receivers_.size()))
                continue;
            receivers_[ordinal - 1].resultMs = now();
            resultLines_ << line;
            waitStart_ = sample();
        }
    }

    const std::vector<Receiver>& receivers() const { return receivers_; }
    const QList<QByteArray>& resultLines() const { return resultLines_; }
    double waitingMs() const { return waitingMs_; }
    const Usage& waitingUsage() const { return waiting_; }

private:
    struct Sample {
        double ms = 0;
        Usage usage;
    };

    double now() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }
    Sample sample() const { return {now(), usageOf(cli_).value_or(Usage{})}; }

    void endWait() {
        const Sample end = sample();
        waitingMs_ += end.ms - waitStart_.ms;
        waiting_.cpuNs += end.usage.cpuNs - waitStart_.usage.cpuNs;
        waiting_.switches += end.usage.switches - waitStart_.usage.switches;
    }

    // The whole lines that `bytes` complete in `pending`.
    static QList<QByteArray> lines(QByteArray& pending, const QByteArray& bytes) {
        pending += bytes;
        const qsizetype end = pending.lastIndexOf('\n');
        if (end < 0)
            return {};
        QList<QByteArray> complete = pending.left(end).split('\n');
        pending.remove(0, end + 1);
        return complete;
    }

    std::vector<Receiver> receivers_;
    pid_t cli_;
    QElapsedTimer clock_;
    QByteArray simulatorText_;
    QByteArray cliText_;
    QList<QByteArray> resultLines_;
    int lastVersion_ = 0;
    Sample waitStart_;
    double waitingMs_ = 0;
    Usage waiting_;
};

} // namespace

int main(int argc, char** argv) {
    const int count = runCount(argc, argv, 20);
    if (count == 0 || count > 255) {
        std::fprintf(stderr, "usage: series_bench [receivers, 1..255]\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList versions;
    for (int i = 1; i <= count; ++i)
        versions << QStringLiteral("%1").arg(i, 2, 16, QLatin1Char('0'));
    ReceiverSimulator line({"--series", versions.join(','), "--stay", QString::number(kStayMs),
                            "--away", QString::number(kAwayMs), "--log"});
    QFile settings(dir.filePath(QStringLiteral("odbiornik.txt")));
    if (line.linePath().isEmpty() || !settings.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    orv52::Configuration wanted;
    wanted.teamMaskLow = 0x0F;
    wanted.timings = {1, 2, 3, 4, 5, 6};
    settings.write(QByteArray::fromStdString(orv52::writeConfigurationFile(wanted)));
    settings.close();

    QProcess cli;
    cli.start(QStringLiteral(ORV52_CLI),
              {"program", "--series", "--count", QString::number(count), "--quiet", "--port",
               line.linePath(), "--backup", dir.filePath(QStringLiteral("kopie")),
               settings.fileName()});
    if (!cli.waitForStarted()) {
        std::fprintf(stderr, "orv52-cli did not start\n");
        return 1;
    }
    SeriesWatch watch(count, static_cast<pid_t>(cli.processId()));
    QObject::connect(&line.process(), &QProcess::readyReadStandardError, &app,
                     [&] { watch.onSimulatorLog(line.process().readAllStandardError()); });
    QObject::connect(&cli, &QProcess::readyReadStandardOutput, &app,
                     [&] { watch.onCliOutput(cli.readAllStandardOutput()); });
    QObject::connect(&cli, &QProcess::finished, &app, &QCoreApplication::quit);
    app.exec();

    std::vector<double> times;
    int done = 0;
    for (const Receiver& receiver : watch.receivers())
        if (receiver.answeredMs >= 0 && receiver.resultMs >= receiver.answeredMs)
            times.push_back(receiver.resultMs - receiver.answeredMs);
    for (const QByteArray& result : watch.resultLines())
        done += result.endsWith("wykonano") ? 1 : 0;
    std::printf("series_bench: orv52-cli program --series over %d receivers of the paced simulator "
                "(each stays %d ms after its programming, %d ms between two); exit code %d\n",
                count, kStayMs, kAwayMs, cli.exitCode());
    std::printf("receivers done %d of %d, timed %zu\n", done, count, times.size());
    if (!times.empty()) {
        const auto [fastest, slowest] = std::ranges::minmax(times);
        std::printf("first answer to result line: median %.0f ms, min %.0f, max %.0f; line-time "
                    "floor of programming and read-back %.0f ms; the simulator's own share, its "
                    "answers, %.0f ms: median %.2fx of it\n",
                    median(times), fastest, slowest, kFloorMs, kAnswersMs,
                    median(times) / kAnswersMs);
    }
    const double waitingS = watch.waitingMs() / 1000;
    std::printf("waiting for receivers to come and go: %.1f s, CPU %.1f ms (%.3f %% of one core), "
                "scheduled %lld times (%.1f a second)\n",
                waitingS, static_cast<double>(watch.waitingUsage().cpuNs) / 1e6,
                static_cast<double>(watch.waitingUsage().cpuNs) / (watch.waitingMs() * 1e4),
                watch.waitingUsage().switches,
                static_cast<double>(watch.waitingUsage().switches) / waitingS);
    return done == count ? 0 : 1;
}
