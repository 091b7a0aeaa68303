#include "faults.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace orv52::sim {

namespace {

constexpr std::uint8_t kStrayBytes[] = {0x01, 'z', 'x'};
constexpr std::uint8_t kExtraByte = 0xFF;
constexpr std::size_t kSplitBatches[] = {6, 12};
constexpr int kSplitPauseMs = 150;
// What a receiver at another line speed sends: no header, no status.
constexpr std::uint8_t kNoiseBytes[] = {0xF8, 0x00, 0x78, 0x80, 0x0E, 0x06, 0xE0, 0x9E};

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

// The bytes that go out in place of a sound answer.
std::vector<std::uint8_t> answerBytes(const Answer& answer, const Faults& faults) {
    if (faults.noise) {
        return {std::begin(kNoiseBytes), std::end(kNoiseBytes)};
    }
    std::vector<std::uint8_t> bytes = answer.bytes();
    if (faults.cutShort) {
        bytes.resize(bytes.size() / 2);
    }
    return bytes;
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
    } else if (mode == "cut-short") {
        flag = &Faults::cutShort;
    } else if (mode == "noise") {
        flag = &Faults::noise;
    } else if (mode == "loopback") {
        flag = &Faults::loopback;
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
        appendSplit(writes, answerBytes(answer, faults));
    } else {
        appendBytewise(writes, answerBytes(answer, faults));
    }
    if (faults.extraByte) {
        writes.back().bytes.push_back(kExtraByte);
    }
    writes.front().pauseMs += faults.delayMs;
    return writes;
}

std::vector<LineWrite> loopedBack(std::span<const std::uint8_t> received) {
    std::vector<LineWrite> writes;
    appendBytewise(writes, received);
    return writes;
}

} // namespace orv52::sim
