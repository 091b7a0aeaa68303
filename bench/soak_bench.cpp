// Soaks the exchange controller that the command line uses: a long run of read and programming
// exchanges, alternating, against receiver simulators at their real 1200-baud pacing, with a
// random fault in one exchange of every ten. Every exchange must end with the outcome its fault
// calls for and none may get stuck, and the resident memory must stay flat.
// Usage: soak_bench [exchanges, default 2000] [seed, default random]
#include "bench_args.h"
#include "link/exchange_controller.h"
#include "monotonic_clock.h"
#include "resident_memory.h"
#include "simulator_pool.h"
#include "soak_faults.h"
#include "soak_requests.h"
#include "soak_tally.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <unistd.h>

namespace {

constexpr int kFaultEvery = 10;
constexpr int kWarmUp = 20;
constexpr double kRssGrowthLimitPercent = 1.0;
// An exchange that has not returned by then never will: the run ends there.
constexpr unsigned kWatchdogSeconds = 30;

void onWatchdog(int) {
    constexpr char kText[] = "soak_bench: an exchange never returned; stopped by the watchdog\n";
    (void)!write(STDERR_FILENO, kText, sizeof kText - 1);
    _exit(1);
}

std::optional<std::uint64_t> seedArgument(int argc, char** argv) {
    if (argc < 3)
        return std::random_device{}();
    char* end = nullptr;
    const unsigned long long seed = std::strtoull(argv[2], &end, 10);
    if (end == argv[2] || *end != '\0')
        return std::nullopt;
    return seed;
}

// The outcome, or nothing when the port refused the start.
std::optional<Outcome> runExchange(orv52::ExchangeController& controller,
                                   const std::vector<std::uint8_t>& request) {
    try {
        return controller.run(request);
    } catch (const orv52::NumberedError& error) {
        controller.end();
        std::fprintf(stderr, "port error %d: %s\n", error.number(), error.what());
        return std::nullopt;
    }
}

const char* outcomeName(std::optional<Outcome> outcome) {
    if (!outcome)
        return "port failure";
    switch (*outcome) {
    case Outcome::ProgrammingDone:
        return "ProgrammingDone";
    case Outcome::ConfigurationReceived:
        return "ConfigurationReceived";
    case Outcome::TransmissionError:
        return "TransmissionError";
    case Outcome::NoAnswer:
        return "NoAnswer";
    case Outcome::PortLost:
        return "PortLost";
    }
    return "?";
}

} // namespace

int main(int argc, char** argv) {
    const int count = runCount(argc, argv, 2000);
    const auto seed = seedArgument(argc, argv);
    if (count == 0 || !seed) {
        std::fprintf(stderr, "usage: soak_bench [exchanges, 1..10000] [seed]\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    std::signal(SIGALRM, onWatchdog);

    SimulatorPool simulators;
    if (!simulators.started()) {
        std::fprintf(stderr, "a receiver simulator did not start\n");
        return 1;
    }
    QString line;
    orv52::SerialPortControl port;
    orv52::ExchangeController controller(port);

    std::printf("soak_bench: %d exchanges, read and program in turn, a fault in one of every %d; "
                "seed %llu\n",
                count, kFaultEvery, static_cast<unsigned long long>(*seed));
    std::fflush(stdout);
    std::mt19937_64 random(*seed);
    SoakTally tally;
    long rssStartKiB = 0;
    int faultAt = -1;
    const std::int64_t runStartNs = monotonicNs();
    for (int i = 0; i < count; ++i) {
        if (i % kFaultEvery == 0)
            faultAt = i + std::uniform_int_distribution<int>(0, kFaultEvery - 1)(random);
        const Fault fault = i == faultAt ? randomFault(random) : Fault::None;
        const RequestKind kind = i % 2 == 0 ? RequestKind::Read : RequestKind::Program;
        const std::vector<std::uint8_t> request = soakRequest(kind, random);
        line = simulators.lineForExchange(fault);
        port.setDevice(line);

        alarm(kWatchdogSeconds);
        const std::int64_t startNs = monotonicNs();
        const std::optional<Outcome> outcome = runExchange(controller, request);
        const double ms = static_cast<double>(monotonicNs() - startNs) / 1e6;
        alarm(0);

        const Outcome expected = expectedOutcome(fault, kind);
        if (!tally.add(fault, outcome, expected, ms))
            std::fprintf(stderr, "exchange %d (%s, %.*s): %s after %.1f ms, expected %s\n", i,
                         kind == RequestKind::Read ? "read" : "program",
                         static_cast<int>(faultName(fault).size()), faultName(fault).data(),
                         outcomeName(outcome), ms, outcomeName(expected));
        if (i + 1 == std::min(kWarmUp, count))
            rssStartKiB = residentKiB();
    }
    const double wallS = static_cast<double>(monotonicNs() - runStartNs) / 1e9;
    const long rssEndKiB = residentKiB();
    const double growth = rssStartKiB > 0 ? 100.0 * static_cast<double>(rssEndKiB - rssStartKiB) /
                                                static_cast<double>(rssStartKiB)
                                          : 0;

    tally.print(stdout);
    std::printf("mismatches %d, stuck (over %.0f ms) %d, longest exchange %.1f ms\n",
                tally.mismatches(), SoakTally::kStuckAfterMs, tally.stuck(), tally.maxDurationMs());
    std::printf("VmRSS after %d exchanges %ld KiB, at the end %ld KiB: %+.2f %%\n",
                std::min(kWarmUp, count), rssStartKiB, rssEndKiB, growth);
    std::printf("wall time %.1f s (%.1f min)\n", wallS, wallS / 60);
    const bool met = tally.mismatches() == 0 && tally.stuck() == 0 && rssStartKiB > 0 &&
                     growth <= kRssGrowthLimitPercent;
    std::printf("target (every outcome as its fault calls for, none stuck, memory within "
                "%.0f %%): %s\n",
                kRssGrowthLimitPercent, met ? "met" : "MISSED");
    return met ? 0 : 1;
}
