// Starts the program, lets it settle, then prints the CPU time and the number of times its
// threads were scheduled over a stretch of idle seconds: an idle window should spend neither.
// Usage: idle_cpu [idle seconds, default 10]
#include "bench_args.h"
#include "child_process.h"
#include "thread_usage.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>

namespace {

constexpr auto kSettleTime = std::chrono::seconds(3);

bool stillRunning(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = runCount(argc, argv, 10);
    if (seconds == 0) {
        std::fprintf(stderr, "usage: idle_cpu [idle seconds, 1..10000]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto program = startChild({ORV52_PROGRAM}, false);
    if (!program) {
        std::fprintf(stderr, "%s did not start\n", ORV52_PROGRAM);
        return 1;
    }
    std::this_thread::sleep_for(kSettleTime);
    const auto before = usageOf(program->pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto after = usageOf(program->pid);
    const bool ran = before && after && stillRunning(program->pid);
    kill(program->pid, SIGTERM);
    waitForChild(program->pid);
    if (!ran) {
        std::fprintf(stderr, "%s ended before the measurement was done\n", ORV52_PROGRAM);
        return 1;
    }

    std::printf("idle_cpu: orv52-prog idle for %d s after %lld s to settle; QT_QPA_PLATFORM=%s\n",
                seconds, static_cast<long long>(kSettleTime.count()),
                std::getenv("QT_QPA_PLATFORM"));
    std::printf("CPU time while idle %.3f ms (%.4f %% of one core); its %d threads were scheduled "
                "%lld times\n",
                static_cast<double>(after->cpuNs - before->cpuNs) / 1e6,
                static_cast<double>(after->cpuNs - before->cpuNs) / (seconds * 1e7), after->threads,
                after->switches - before->switches);
    std::printf("CPU time of start-up and settling %.1f ms\n",
                static_cast<double>(before->cpuNs) / 1e6);
    return 0;
}
