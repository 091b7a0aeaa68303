#include "trace_line.h"

#include <cstdio>

namespace orv52::cli {

std::string traceLine(double seconds, bool sent, std::span<const std::uint8_t> bytes) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%8.3f] %s", seconds, sent ? "TX" : "RX");
    std::string line = stamp;
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (const std::uint8_t byte : bytes) {
        line += ' ';
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
    }
    return line + "\n";
}

} // namespace orv52::cli
