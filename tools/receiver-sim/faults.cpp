#include "faults.h"

#include <algorithm>
#include <charconv>
#include <span>

namespace orv52::sim {

namespace {

constexpr std::uint8_t kStrayBytes[] = {0x01, 'z', 'x'};
constexpr std::uint8_t kExtraByte = 0xFF;
constexpr std::size_t kSplitBatches[] = {6, 12};
constexpr int kSplitPauseMs = 150;

void appendBytewise(std::vector<LineWrite>& writes, std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        writes.push_back({0, {byte}});
    }
}

void appendSplit(std::vector<LineWrite>& writes, const std::vector<std::uint8_t>& bytes) {
    std::size_t start = 0;
    for (std::size_t batch : kSplitBatches) {
        const std::size_t end = std::min(start + batch, bytes.size());
        const auto part = std::span(bytes).subspan(start, end - start);
        writes.push_back({start == 0 ? 0 : kSplitPauseMs, {part.begin(), part.end()}});
        start = end;
    }
    if (start < bytes.size()) {
        const auto rest = std::span(bytes).subspan(start);
        writes.push_back({kSplitPauseMs, {rest.begin(), rest.end()}});
    }
}

} // namespace

bool addFault(Faults& faults, std::string_view mode) {
    constexpr std::string_view delayPrefix = "delay=";
    if (mode.starts_with(delayPrefix)) {
        const auto digits = mode.substr(delayPrefix.size());
        const auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), faults.delayMs);
        return ec == std::errc{} && end == digits.data() + digits.size() && faults.delayMs >= 0;
    }
    bool Faults::*flag = nullptr;
    if (mode == "silent") {
        flag = &Faults::silent;
    } else if (mode == "stray") {
        flag = &Faults::stray;
    } else if (mode == "bad-checksum") {
        flag = &Faults::badChecksum;
    } else if (mode == "er") {
        flag = &Faults::error;
    } else if (mode == "extra-byte") {
        flag = &Faults::extraByte;
    } else if (mode == "split") {
        flag = &Faults::split;
    } else if (mode == "no-store") {
        flag = &Faults::noStore;
    } else {
        return false;
    }
    faults.*flag = true;
    return true;
}

std::vector<LineWrite> transmission(Answer answer, const Faults& faults) {
    if (faults.silent) {
        return {};
    }
    if (faults.error) {
        answer.status = {'E', 'R'};
    }
    if (faults.badChecksum && answer.record) {
        ++(*answer.record)[offset::Checksum];
    }

    std::vector<LineWrite> writes;
    if (faults.stray) {
        appendBytewise(writes, kStrayBytes);
    }
    if (faults.split) {
        appendSplit(writes, answer.bytes());
    } else {
        appendBytewise(writes, answer.bytes());
    }
    if (faults.extraByte) {
        writes.back().bytes.push_back(kExtraByte);
    }
    writes.front().pauseMs += faults.delayMs;
    return writes;
}

} // namespace orv52::sim
