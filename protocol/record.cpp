#include "record.h"

#include <bit>
#include <numeric>

namespace orv52 {

namespace {

// The byte that brings `sum` to a multiple of 256.
std::uint8_t completingByte(unsigned sum) {
    const unsigned remainder = sum % 256;
    return static_cast<std::uint8_t>(remainder == 0 ? 0 : 256 - remainder);
}

} // namespace

std::uint8_t frameChecksum(const Record& frame) {
    return completingByte(std::accumulate(frame.begin() + offset::FirstSummed,
                                          frame.begin() + offset::LastSummed + 1, kHeaderSum));
}

std::uint8_t recordChecksum(const Record& record) {
    return completingByte(std::accumulate(record.begin(), record.begin() + offset::Checksum, 0u));
}

bool isRecordValid(const Record& record) {
    return std::accumulate(record.begin(), record.end(), 0u) % 256 == 0;
}

std::uint8_t listPositionToByte(int position) {
    if (position < 0 || position > 7) {
        return 0;
    }
    return static_cast<std::uint8_t>(1u << position);
}

std::optional<int> byteToListPosition(std::uint8_t value) {
    if (value == 0) {
        return std::nullopt;
    }
    // log2(v) lies in [m/2, (m+1)/2) where m is the highest set bit of v*v. A square is never an
    // odd power of two, so log2(v) is never exactly halfway and rounding is (m+1)/2.
    const unsigned square = unsigned{value} * value;
    const int highestBit = static_cast<int>(std::bit_width(square)) - 1;
    return (highestBit + 1) / 2;
}

std::string versionText(std::uint8_t value) {
    return std::to_string(value >> 4) + "." + std::to_string(value & 0x0F);
}

} // namespace orv52
