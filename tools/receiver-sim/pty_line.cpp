#include "pty_line.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace orv52::sim {

namespace {

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        fail("tcgetattr");
    }
    cfmakeraw(&settings);
    cfsetispeed(&settings, B1200);
    cfsetospeed(&settings, B1200);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        fail("tcsetattr");
    }
}

struct NamedSpeed {
    speed_t speed;
    const char* name;
};
constexpr NamedSpeed kSpeeds[] = {{B300, "300"},     {B1200, "1200"},   {B2400, "2400"},
                                  {B4800, "4800"},   {B9600, "9600"},   {B19200, "19200"},
                                  {B38400, "38400"}, {B57600, "57600"}, {B115200, "115200"}};

} // namespace

std::string PtyLine::lineSettings() const {
    termios settings{};
    if (tcgetattr(slave_ >= 0 ? slave_ : master_, &settings) != 0) {
        return "?";
    }
    std::string text = "?";
    for (const NamedSpeed& named : kSpeeds) {
        if (cfgetospeed(&settings) == named.speed) {
            text = named.name;
        }
    }
    const tcflag_t size = settings.c_cflag & CSIZE;
    text += ' ';
    text += size == CS5 ? '5' : size == CS6 ? '6' : size == CS7 ? '7' : '8';
    text += (settings.c_cflag & PARENB) == 0 ? 'N' : (settings.c_cflag & PARODD) != 0 ? 'O' : 'E';
    text += (settings.c_cflag & CSTOPB) != 0 ? '2' : '1';
    return text;
}

PtyLine::PtyLine(int stopFd) : stopFd_(stopFd) {
    char name[256];
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        fail("openpty");
    }
    slavePath_ = name;
    makeRaw(master_);
    makeRaw(slave_);
}

PtyLine::PtyLine(int stopFd, const std::string& device) : stopFd_(stopFd), slavePath_(device) {
    master_ = open(device.c_str(), O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        fail("open");
    }
    makeRaw(master_);
}

PtyLine::~PtyLine() {
    if (slave_ >= 0) {
        close(slave_);
    }
    close(master_);
}

std::optional<std::vector<std::uint8_t>> PtyLine::read(int timeoutMs) {
    pollfd fds[] = {{stopFd_, POLLIN, 0}, {master_, POLLIN, 0}};
    int ready;
    while ((ready = poll(fds, 2, timeoutMs)) < 0 && errno == EINTR) {
    }
    if (ready < 0) {
        fail("poll");
    }
    if (fds[0].revents != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(ready == 0 ? 0 : 256);
    if (ready > 0) {
        const ssize_t n = ::read(master_, bytes.data(), bytes.size());
        if (n < 0) {
            fail("read");
        }
        bytes.resize(static_cast<std::size_t>(n));
    }
    return bytes;
}

bool PtyLine::sleepFor(std::chrono::nanoseconds duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    const timespec timeout{seconds.count(), (duration - seconds).count()};
    pollfd fd{stopFd_, POLLIN, 0};
    const int ready = ppoll(&fd, 1, &timeout, nullptr);
    if (ready < 0 && errno != EINTR) {
        fail("ppoll");
    }
    return ready <= 0;
}

bool PtyLine::send(const std::vector<LineWrite>& writes, bool paced) {
    for (const LineWrite& w : writes) {
        const std::chrono::nanoseconds lineTime =
            paced ? kByteTime * static_cast<long>(w.bytes.size()) : std::chrono::nanoseconds{};
        if (!sleepFor(std::chrono::milliseconds{w.pauseMs} + lineTime)) {
            return false;
        }
        std::size_t done = 0;
        while (done < w.bytes.size()) {
            const ssize_t n = write(master_, w.bytes.data() + done, w.bytes.size() - done);
            if (n < 0) {
                fail("write");
            }
            done += static_cast<std::size_t>(n);
        }
    }
    return true;
}

} // namespace orv52::sim
