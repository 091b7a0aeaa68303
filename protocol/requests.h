#pragma once

#include "record.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace orv52 {

inline constexpr std::string_view kProgrammingHeader = "PRG";
inline constexpr std::string_view kConfigurationHeader = "CFG";
inline constexpr std::size_t kHeaderSize = 3;
static_assert(kProgrammingHeader.size() == kHeaderSize &&
              kConfigurationHeader.size() == kHeaderSize);

inline constexpr std::size_t kQuerySize = 5;
using ConfigurationQuery = std::array<std::uint8_t, kQuerySize>;

// "CFG", 0x00, "?"
ConfigurationQuery makeConfigurationQuery();

// A programming frame holding only its header "PRG"; every other byte is 0.
Record makeProgrammingFrameTemplate();

} // namespace orv52
