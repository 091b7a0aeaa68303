#include "options.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

namespace orv52::sim {

namespace {

// Exactly `count` bytes written as two hex digits each, or nullopt.
std::optional<std::vector<std::uint8_t>> parseHex(std::string_view text, std::size_t count) {
    if (text.size() != 2 * count) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char* first = text.data() + 2 * i;
        const auto [end, ec] = std::from_chars(first, first + 2, bytes[i], 16);
        if (ec != std::errc{} || end != first + 2) {
            return std::nullopt;
        }
    }
    return bytes;
}

} // namespace

std::optional<Options> parseOptions(std::span<char* const> args, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--no-pacing") {
            options.paced = false;
            continue;
        }
        if (arg == "--log") {
            options.log = true;
            continue;
        }
        if (arg == "--log-line") {
            options.logLine = true;
            continue;
        }
        if (i + 1 == args.size()) {
            error = "unknown option or missing value: " + std::string(arg);
            return std::nullopt;
        }
        const std::string_view value = args[++i];
        if (arg == "--link") {
            options.linkPath = std::string(value);
        } else if (arg == "--device") {
            options.device = std::string(value);
        } else if (arg == "--record") {
            const auto bytes = parseHex(value, kRecordSize);
            if (!bytes) {
                error = "--record needs 42 hex digits";
                return std::nullopt;
            }
            options.record.emplace();
            std::copy(bytes->begin(), bytes->end(), options.record->begin());
        } else if (arg == "--version") {
            const auto bytes = parseHex(value, 1);
            if (!bytes) {
                error = "--version needs 2 hex digits";
                return std::nullopt;
            }
            options.firmwareVersion = bytes->front();
        } else if (arg == "--series") {
            options.series = parseSeries(value);
            if (!options.series) {
                error = "--series needs versions as HH or HH/no-store, separated by commas";
                return std::nullopt;
            }
        } else if (arg == "--stay" || arg == "--away") {
            int& ms = arg == "--stay" ? options.stayMs : options.awayMs;
            const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
            if (ec != std::errc{} || end != value.data() + value.size() || ms < 0) {
                error = std::string(arg) + " needs milliseconds";
                return std::nullopt;
            }
        } else if (arg == "--fault") {
            if (!addFault(options.faults, value)) {
                error = "unknown fault: " + std::string(value);
                return std::nullopt;
            }
        } else {
            error = "unknown option: " + std::string(arg);
            return std::nullopt;
        }
    }
    return options;
}

} // namespace orv52::sim
