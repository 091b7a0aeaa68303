#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orv52 {

// The receiver's whole configuration: 21 unsigned bytes. A programming frame is such a record,
// and the answer to a configuration query carries one.
inline constexpr std::size_t kRecordSize = 21;
using Record = std::array<std::uint8_t, kRecordSize>;

namespace offset {
inline constexpr std::size_t Header = 0;      // "PRG" in a programming frame, 3 bytes
inline constexpr std::size_t TeamMaskLow = 4; // which bit is which team: team_numbers.h
inline constexpr std::size_t TeamMaskHigh = 5;
inline constexpr std::size_t DelayUpperRelay = 6;
inline constexpr std::size_t DelayLowerRelay = 7;
inline constexpr std::size_t DurationUpperRelay = 8;
inline constexpr std::size_t DurationLowerRelay = 9;
inline constexpr std::size_t LightingArrowUp = 10;
inline constexpr std::size_t LightingArrowDown = 11;
inline constexpr std::size_t DisplayCommand = 12; // one bit set: 2^(list position)
inline constexpr std::size_t BuzzerMode = 13;     // one bit set: 2^(list position)
inline constexpr std::size_t FirmwareVersion = 19;
inline constexpr std::size_t Checksum = 20;

// The bytes the checksum of a programming frame adds to the header's sum.
inline constexpr std::size_t FirstSummed = TeamMaskLow;
inline constexpr std::size_t LastSummed = BuzzerMode;
} // namespace offset

// Sum of the character codes of "PRG", where the frame checksum starts.
inline constexpr unsigned kHeaderSum = 'P' + 'R' + 'G';

// The byte for offset 20 of a programming frame whose offsets 0..19 are filled: it makes the
// 8-bit sum of all 21 bytes zero. Never 256: a sum that is already a multiple of 256 gives 0.
std::uint8_t frameChecksum(const Record& frame);

// The byte for offset 20 of a record whose offsets 0..19 are filled, whatever they hold, that makes
// it valid: what a receiver puts at the end of the configuration it sends.
std::uint8_t recordChecksum(const Record& record);

// A received record is valid when all 21 bytes sum to a multiple of 256; nothing else is checked.
bool isRecordValid(const Record& record);

// A drop-down list position p (0..3) as the one-bit byte 2^p. A position that fits no bit of a
// byte, such as -1 for a list without a selection, gives 0.
std::uint8_t listPositionToByte(int position);

// The list position named by a one-bit byte: log2(v) rounded to the nearest integer.
// 0 names no position.
std::optional<int> byteToListPosition(std::uint8_t value);

// The firmware version byte as "major.minor": 0x12 is "1.2", 0x1A is "1.10".
std::string versionText(std::uint8_t value);

} // namespace orv52
