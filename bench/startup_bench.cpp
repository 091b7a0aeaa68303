// Time from process start to the first painted frame, and peak resident memory, of the program's
// main window against a plain Qt Widgets window of the same size. The two are started in turn,
// each after one unmeasured warm-up run; the medians and their ratios are printed. Each harness
// ends right after its first frame, so memory and CPU time cover the start-up only. The platform
// is QT_QPA_PLATFORM as set, offscreen when unset.
// Usage: startup_bench [runs of each, default 15]
#include "bench_args.h"
#include "child_process.h"
#include "median.h"
#include "monotonic_clock.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

constexpr double kTimeRatioTarget = 1.25;
constexpr double kMemoryRatioTarget = 1.2;

struct Harness {
    const char* label;
    const char* path;
    std::vector<double> paintMs;
    std::vector<double> peakMiB;
    std::vector<double> cpuMs;
};

struct Sample {
    double paintMs;
    double peakMiB;
    double cpuMs;
};

double milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

std::optional<Sample> runOnce(const Harness& harness) {
    const std::string launch = std::to_string(monotonicNs());
    const auto child = startChild({harness.path, launch}, true);
    if (!child)
        return std::nullopt;
    const std::string output = readToEnd(child->stdoutFd);
    const auto exit = waitForChild(child->pid);
    if (!exit || !WIFEXITED(exit->status) || WEXITSTATUS(exit->status) != 0)
        return std::nullopt;
    char* end = nullptr;
    const long long micros = std::strtoll(output.c_str(), &end, 10);
    if (end == output.c_str() || micros <= 0)
        return std::nullopt;
    return Sample{static_cast<double>(micros) / 1000,
                  static_cast<double>(exit->usage.ru_maxrss) / 1024,
                  milliseconds(exit->usage.ru_utime) + milliseconds(exit->usage.ru_stime)};
}

bool measure(Harness& harness) {
    const auto sample = runOnce(harness);
    if (!sample) {
        std::fprintf(stderr, "%s failed to start, paint or exit\n", harness.path);
        return false;
    }
    harness.paintMs.push_back(sample->paintMs);
    harness.peakMiB.push_back(sample->peakMiB);
    harness.cpuMs.push_back(sample->cpuMs);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = runCount(argc, argv, 15);
    if (runs == 0) {
        std::fprintf(stderr, "usage: startup_bench [runs of each, 1..10000]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    Harness bare{"bare QWidget", ORV52_STARTUP_BARE, {}, {}, {}};
    Harness form{"Adresowanie_Form", ORV52_STARTUP_FORM, {}, {}, {}};
    for (Harness* warmUp : {&bare, &form}) {
        if (!runOnce(*warmUp)) {
            std::fprintf(stderr, "%s failed to start, paint or exit\n", warmUp->path);
            return 1;
        }
    }
    for (int i = 0; i < runs; ++i) {
        Harness& first = i % 2 ? bare : form;
        Harness& second = i % 2 ? form : bare;
        if (!measure(first) || !measure(second))
            return 1;
    }

    const double timeRatio = median(form.paintMs) / median(bare.paintMs);
    const double memoryRatio = median(form.peakMiB) / median(bare.peakMiB);
    const double cpuRatio = median(form.cpuMs) / median(bare.cpuMs);
    std::printf("startup_bench: %d runs of each, alternated, after one warm-up each; "
                "QT_QPA_PLATFORM=%s\n",
                runs, std::getenv("QT_QPA_PLATFORM"));
    std::printf("%-18s %16s %14s %14s\n", "", "to first paint", "peak RSS", "CPU time");
    for (const Harness* h : {&bare, &form})
        std::printf("%-18s %13.1f ms %10.1f MiB %11.1f ms\n", h->label, median(h->paintMs),
                    median(h->peakMiB), median(h->cpuMs));
    std::printf("%-18s %16.2f %14.2f %14.2f\n", "ratio", timeRatio, memoryRatio, cpuRatio);
    std::printf("target (time ratio <= %.2f, memory ratio <= %.2f): %s\n", kTimeRatioTarget,
                kMemoryRatioTarget,
                timeRatio <= kTimeRatioTarget && memoryRatio <= kMemoryRatioTarget ? "met"
                                                                                   : "MISSED");
    return 0;
}
