// A receiver on a pseudo-terminal, for testing and demonstrating the program without hardware.
#include "faults.h"
#include "options.h"
#include "pty_line.h"
#include "receiver.h"
#include "request_parser.h"
#include "stop_signal.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <span>
#include <system_error>
#include <vector>

using namespace orv52::sim;

namespace {

// A request that stops arriving half-way is forgotten after this much silence.
constexpr int kForgetPartialAfterMs = 1000;

void logBytes(const char* tag, std::span<const std::uint8_t> bytes) {
    std::fprintf(stderr, "%s", tag);
    for (std::uint8_t byte : bytes) {
        std::fprintf(stderr, " %02X", byte);
    }
    std::fprintf(stderr, "\n");
}

void replaceLink(const std::filesystem::path& link, const std::string& target) {
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link))) {
        std::filesystem::remove(link);
    }
    std::filesystem::create_symlink(target, link);
}

void serve(PtyLine& line, const Options& options) {
    Receiver receiver(options.record.value_or(defaultRecord(options.firmwareVersion)),
                      options.firmwareVersion);
    RequestParser parser;
    while (true) {
        const auto received = line.read(parser.hasPartial() ? kForgetPartialAfterMs : -1);
        if (!received) {
            return;
        }
        if (received->empty()) {
            parser.forgetPartial();
            continue;
        }
        if (options.faults.loopback) {
            if (!line.send(loopedBack(*received), options.paced)) {
                return;
            }
            continue;
        }
        for (const Request& request : parser.feed(*received)) {
            const auto writes = transmission(receiver.handle(request), options.faults);
            if (options.log) {
                logBytes("RX", request.bytes);
                std::vector<std::uint8_t> sent;
                for (const LineWrite& w : writes) {
                    sent.insert(sent.end(), w.bytes.begin(), w.bytes.end());
                }
                logBytes("TX", sent);
            }
            if (!line.send(writes, options.paced)) {
                return;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = parseOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::cerr << "orv52-receiver-sim: " << error << '\n' << kUsage;
        return 2;
    }
    try {
        const StopSignal stop;
        PtyLine line(stop.fd());
        if (options->linkPath) {
            replaceLink(*options->linkPath, line.slavePath());
        }
        std::cout << line.slavePath() << std::endl;
        serve(line, *options);
        if (options->linkPath) {
            std::filesystem::remove(*options->linkPath);
        }
    } catch (const std::exception& e) {
        std::cerr << "orv52-receiver-sim: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
