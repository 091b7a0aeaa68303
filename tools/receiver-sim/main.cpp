// A receiver on a pseudo-terminal, for testing and demonstrating the program without hardware.
#include "faults.h"
#include "options.h"
#include "pty_line.h"
#include "receiver.h"
#include "request_parser.h"
#include "series.h"
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

ReceiverLine makeLine(const Options& options) {
    if (options.series) {
        return {*options.series, std::chrono::milliseconds{options.stayMs},
                std::chrono::milliseconds{options.awayMs}};
    }
    return ReceiverLine(Receiver(options.record.value_or(defaultRecord(options.firmwareVersion)),
                                 options.firmwareVersion, !options.faults.noStore));
}

void serve(PtyLine& line, const Options& options) {
    ReceiverLine receivers = makeLine(options);
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
            Receiver* receiver = receivers.connected(ReceiverLine::Clock::now());
            if (options.log) {
                logBytes(receiver ? "RX" : "RX unanswered", request.bytes);
                if (options.logLine) {
                    std::fprintf(stderr, "LINE %s\n", line.lineSettings().c_str());
                }
            }
            if (receiver == nullptr) {
                continue;
            }
            const auto writes = transmission(receiver->handle(request), options.faults);
            if (options.log) {
                std::vector<std::uint8_t> sent;
                for (const LineWrite& w : writes) {
                    sent.insert(sent.end(), w.bytes.begin(), w.bytes.end());
                }
                logBytes("TX", sent);
            }
            if (!line.send(writes, options.paced)) {
                return;
            }
            if (request.kind == RequestKind::Programming) {
                receivers.programmed(ReceiverLine::Clock::now());
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
        PtyLine line = options->device ? PtyLine(stop.fd(), *options->device) : PtyLine(stop.fd());
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
