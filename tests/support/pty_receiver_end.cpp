#include "support/pty_receiver_end.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <system_error>
#include <unistd.h>

namespace {

[[noreturn]] void throwSystemError(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        throwSystemError("tcgetattr");
    cfmakeraw(&settings);
    if (tcsetattr(fd, TCSANOW, &settings) != 0)
        throwSystemError("tcsetattr");
}

} // namespace

PtyReceiverEnd::PtyReceiverEnd() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throwSystemError("openpty");
    devicePath_ = name;
    try {
        makeRaw(master_);
        makeRaw(slave_);
    } catch (...) {
        ::close(master_);
        ::close(slave_);
        throw;
    }
}

PtyReceiverEnd::~PtyReceiverEnd() {
    closeEnd();
    ::close(slave_);
}

std::vector<std::uint8_t> PtyReceiverEnd::readExactly(std::size_t count, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < count && master_ >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd ready{master_, POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0 || (ready.revents & POLLIN) == 0)
            break;
        std::uint8_t chunk[256];
        const ssize_t got = ::read(master_, chunk, std::min(sizeof chunk, count - bytes.size()));
        if (got <= 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
}

void PtyReceiverEnd::write(std::span<const std::uint8_t> bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t done = ::write(master_, bytes.data() + sent, bytes.size() - sent);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            throwSystemError("write to pseudo-terminal");
        sent += static_cast<std::size_t>(done);
    }
}

void PtyReceiverEnd::closeEnd() {
    if (master_ < 0)
        return;
    ::close(master_);
    master_ = -1;
}

int PtyReceiverEnd::waitingAtProgramSide() const {
    int count = 0;
    if (::ioctl(slave_, FIONREAD, &count) != 0)
        throwSystemError("FIONREAD");
    return count;
}

termios PtyReceiverEnd::programSideSettings() const {
    termios settings{};
    if (tcgetattr(slave_, &settings) != 0)
        throwSystemError("tcgetattr");
    return settings;
}
