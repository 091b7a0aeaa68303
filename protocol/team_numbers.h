#pragma once

#include <cstdint>

// Which bit of the configuration record's two team masks stands for which team number: teams 1
// to 8 are bits 0 to 7 of the low mask, teams 9 to 15 bits 0 to 6 of the high mask. Bit 7 of the
// high mask stands for no team.
namespace orv52::teams {

inline constexpr int kLowest = 1;
inline constexpr int kHighest = 15;

enum class Mask { Low, High };

struct TeamBit {
    Mask mask;
    int bit;
};

// How many team numbers a mask carries: 8 in the low one, 7 in the high one.
constexpr int count(Mask mask) {
    constexpr int low = 8;
    return mask == Mask::Low ? low : kHighest - kLowest + 1 - low;
}

// The bits of a mask that stand for a team.
constexpr std::uint8_t teamBits(Mask mask) {
    return static_cast<std::uint8_t>((1u << count(mask)) - 1);
}

// The team number that a bit of a mask stands for.
constexpr int team(Mask mask, int bit) {
    return kLowest + bit + (mask == Mask::High ? count(Mask::Low) : 0);
}

// The mask and bit of a team number from kLowest to kHighest.
constexpr TeamBit bitOf(int team) {
    const int fromLowest = team - kLowest;
    if (fromLowest < count(Mask::Low))
        return {Mask::Low, fromLowest};
    return {Mask::High, fromLowest - count(Mask::Low)};
}

// `mask` with `bit` set or cleared; the other bits stay as they are.
constexpr std::uint8_t withBit(std::uint8_t mask, int bit, bool set) {
    const auto value = static_cast<std::uint8_t>(1u << bit);
    return set ? static_cast<std::uint8_t>(mask | value) : static_cast<std::uint8_t>(mask & ~value);
}

} // namespace orv52::teams
