#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orv52::cli {

// One line of --trace: "[   0.412] TX 43 46 47 00 3F", the time in seconds since the tool
// started, TX for bytes sent and RX for bytes received, each byte as two hex digits.
std::string traceLine(double seconds, bool sent, std::span<const std::uint8_t> bytes);

} // namespace orv52::cli
