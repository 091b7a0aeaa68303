#include "soak_tally.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::array<const char*, 5> kColumnNames{"programmed", "config", "trans-err", "no-answer",
                                                  "port-fail"};

} // namespace

bool SoakTally::add(Fault fault, std::optional<Outcome> outcome, Outcome expected,
                    double durationMs) {
    Row& row = rows_[static_cast<std::size_t>(fault)];
    ++row.counts[outcome ? static_cast<std::size_t>(*outcome) : kColumns - 1];
    row.maxMs = std::max(row.maxMs, durationMs);
    maxMs_ = std::max(maxMs_, durationMs);
    const bool matched = outcome == expected;
    if (!matched)
        ++row.mismatches;
    const bool inTime = durationMs <= kStuckAfterMs;
    if (!inTime)
        ++stuck_;
    return matched && inTime;
}

int SoakTally::mismatches() const {
    return std::accumulate(rows_.begin(), rows_.end(), 0,
                           [](int sum, const Row& row) { return sum + row.mismatches; });
}

void SoakTally::print(std::FILE* out) const {
    std::fprintf(out, "%-13s %9s", "fault", "exchanges");
    for (const char* name : kColumnNames)
        std::fprintf(out, " %10s", name);
    std::fprintf(out, " %10s %9s\n", "mismatches", "max ms");
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        const int total = std::accumulate(row.counts.begin(), row.counts.end(), 0);
        if (total == 0)
            continue;
        std::fprintf(out, "%-13.*s %9d", static_cast<int>(faultName(static_cast<Fault>(i)).size()),
                     faultName(static_cast<Fault>(i)).data(), total);
        for (int count : row.counts)
            std::fprintf(out, " %10d", count);
        std::fprintf(out, " %10d %9.1f\n", row.mismatches, row.maxMs);
    }
}
