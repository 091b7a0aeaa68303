#pragma once

#include "faults.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv52::sim {

// One byte on a 1200 baud 8N1 line: ten bits.
inline constexpr std::chrono::nanoseconds kByteTime{10'000'000'000 / 1200};

// The receiver's end of a pseudo-terminal; the program under test opens the slave. The slave
// stays open here too, so the device lives on while the program opens and closes it. Answer
// bytes sent while the program has it closed wait in the slave: like the program, a client
// discards pending input after opening.
class PtyLine {
public:
    explicit PtyLine(int stopFd); // throws std::system_error
    // The receiver's end is an existing serial device instead, such as a USB gadget's
    // /dev/ttyGS0, whose far side the program opens.
    PtyLine(int stopFd, const std::string& device); // throws std::system_error
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    const std::string& slavePath() const { return slavePath_; }

    // Waits up to `timeoutMs` (-1: without limit) for bytes from the program; empty on timeout,
    // nullopt when `stopFd` became readable. Throws std::system_error on a failure.
    std::optional<std::vector<std::uint8_t>> read(int timeoutMs);

    // The line settings the program set on its end, as "1200 8N1"; "?" when they cannot be read.
    // On a device, its own settings.
    std::string lineSettings() const;

    // Sends the writes in order; `paced` spends a byte time on every byte, as the line would.
    // False when `stopFd` became readable meanwhile.
    bool send(const std::vector<LineWrite>& writes, bool paced);

private:
    // False when `stopFd` became readable first.
    bool sleepFor(std::chrono::nanoseconds duration);

    int stopFd_;
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace orv52::sim
