#include "series.h"

#include <charconv>

namespace orv52::sim {

std::optional<std::vector<SeriesMember>> parseSeries(std::string_view list) {
    constexpr std::string_view noStoreSuffix = "/no-store";
    std::vector<SeriesMember> series;
    while (true) {
        const auto comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        SeriesMember member;
        if (item.ends_with(noStoreSuffix)) {
            member.storesProgramming = false;
            item.remove_suffix(noStoreSuffix.size());
        }
        const auto [end, ec] =
            std::from_chars(item.data(), item.data() + item.size(), member.firmwareVersion, 16);
        if (item.size() != 2 || ec != std::errc{} || end != item.data() + item.size()) {
            return std::nullopt;
        }
        series.push_back(member);
        if (comma == std::string_view::npos) {
            return series;
        }
        list.remove_prefix(comma + 1);
    }
}

ReceiverLine::ReceiverLine(Receiver only) : receivers_{only} {}

ReceiverLine::ReceiverLine(const std::vector<SeriesMember>& series, std::chrono::milliseconds stay,
                           std::chrono::milliseconds away)
    : leaves_(true), stay_(stay), away_(away) {
    for (const SeriesMember& member : series) {
        receivers_.emplace_back(defaultRecord(member.firmwareVersion), member.firmwareVersion,
                                member.storesProgramming);
    }
}

Receiver* ReceiverLine::connected(Clock::time_point now) {
    while (changesAt_ && now >= *changesAt_) {
        if (present_) {
            present_ = false;
            changesAt_ = *changesAt_ + away_;
        } else {
            ++current_;
            present_ = current_ < receivers_.size();
            changesAt_.reset();
        }
    }
    return present_ ? &receivers_[current_] : nullptr;
}

void ReceiverLine::programmed(Clock::time_point now) {
    if (leaves_ && present_ && !changesAt_) {
        changesAt_ = now + stay_;
    }
}

} // namespace orv52::sim
