// Times the command line's read and programming exchanges, as orv52-cli runs them (port opened,
// request written, answer awaited, port closed), against the receiver simulator at its real
// 1200-baud pacing, and sets each against the simulator's own share: the line time of its answer.
// Usage: cli_exchange_bench [exchanges of each kind, default 20]
#include "bench_args.h"
#include "cli/receiver_exchanges.h"
#include "line_time.h"
#include "median.h"
#include "support/receiver_simulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>
#include <vector>

namespace {

constexpr int kPauseBetweenMs = 50;

// Milliseconds of each of `count` runs of `exchange`; nothing when one failed.
std::vector<double> timed(int count, const std::function<void()>& exchange) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer clock;
        clock.start();
        try {
            exchange();
        } catch (const orv52::cli::Failure& failure) {
            std::fprintf(stderr, "exchange failed: %s\n", failure.what());
            return {};
        }
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        QThread::msleep(kPauseBetweenMs);
    }
    return times;
}

void print(const char* kind, const std::vector<double>& times, int answerBytes) {
    const auto [fastest, slowest] = std::ranges::minmax(times);
    const double share = lineTimeMs(answerBytes);
    std::printf("%-8s median %.1f ms, min %.1f, max %.1f; the simulator's answer takes %.1f ms: "
                "median %.3fx of it\n",
                kind, median(times), fastest, slowest, share, median(times) / share);
}

} // namespace

int main(int argc, char** argv) {
    const int count = runCount(argc, argv, 20);
    if (count == 0) {
        std::fprintf(stderr, "usage: cli_exchange_bench [exchanges of each kind]\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    ReceiverSimulator line({});
    if (line.linePath().isEmpty()) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    std::ostringstream noTrace;
    orv52::cli::ReceiverExchanges receiver(orv52::PortResolver(), line.linePath(), false, noTrace);
    orv52::Configuration settings;
    settings.timings = {1, 2, 3, 4, 5, 6};
    const auto reads = timed(count, [&] { receiver.read(); });
    const auto programs = timed(count, [&] { receiver.program(settings); });
    if (reads.empty() || programs.empty())
        return 1;
    std::printf("cli_exchange_bench: %d exchanges of each kind, as orv52-cli runs them, against "
                "the paced simulator\n",
                count);
    print("read", reads, 28);
    print("program", programs, 23);
    return 0;
}
