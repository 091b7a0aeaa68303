#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <termios.h>
#include <vector>

// The receiver's end of a serial line, played by a pseudo-terminal. The program under test opens
// devicePath(); the fixture reads and writes the other end directly, without an event loop.
class PtyReceiverEnd {
public:
    // Throws std::runtime_error when no pseudo-terminal can be had.
    PtyReceiverEnd();
    ~PtyReceiverEnd();
    PtyReceiverEnd(const PtyReceiverEnd&) = delete;
    PtyReceiverEnd& operator=(const PtyReceiverEnd&) = delete;

    const std::string& devicePath() const { return devicePath_; }

    // What the program wrote: count bytes, or fewer if timeoutMs passes first.
    std::vector<std::uint8_t> readExactly(std::size_t count, int timeoutMs);
    // Sends bytes to the program; throws std::runtime_error when they cannot all be written.
    void write(std::span<const std::uint8_t> bytes);
    // Closes this end, as a pulled cable or a removed adapter would.
    void closeEnd();

    // Bytes that arrived at the program's side and that nobody has read from the system yet.
    int waitingAtProgramSide() const;
    // The line settings of the program's side.
    termios programSideSettings() const;

private:
    int master_ = -1;
    // Held open so that the device stays valid while the program has it closed, and so that its
    // settings and input queue can be inspected.
    int slave_ = -1;
    std::string devicePath_;
};
