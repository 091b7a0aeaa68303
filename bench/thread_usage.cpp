#include "thread_usage.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

// Ends both the voluntary and the involuntary count of /proc/<pid>/task/<tid>/status.
constexpr std::string_view kSwitchesKey = "ctxt_switches:";

} // namespace

std::optional<Usage> usageOf(pid_t pid) {
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    Usage usage;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long runNs = 0;
        if (!(schedstat >> runNs))
            continue; // the thread ended meanwhile
        usage.cpuNs += runNs;
        ++usage.threads;
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);) {
            if (const auto at = line.find(kSwitchesKey); at != std::string::npos)
                usage.switches += std::atoll(line.c_str() + at + kSwitchesKey.size());
        }
    }
    if (error || usage.threads == 0)
        return std::nullopt;
    return usage;
}
