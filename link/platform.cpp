#include "link/platform.h"

#include "link/kernel_uart_records.h"
#include "link/port_access.h"

#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orv52 {

namespace platform {

#ifdef Q_OS_WIN

ComPortAssignments comPorts(const SerialSystemView& system) {
    return windowsComPorts(system);
}

QString deviceName(const SerialPortEntry& port) {
    return port.portName;
}

KernelUartRecords kernelUartRecords() {
    return {};
}

QString pinTarget(const QString& device) {
    return device;
}

// Windows writes overlapped: the bytes are handed over when the write's completion is taken,
// which waiting for "bytes written" does.
void handOverWrites(QSerialPort& port, const QDeadlineTimer& deadline) {
    while (port.bytesToWrite() > 0 && !deadline.hasExpired() &&
           port.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
    }
}

void startClean(QSerialPort& port) {
    Q_UNUSED(port);
}

bool hasHungUp(QSerialPort& port) {
    Q_UNUSED(port);
    return false;
}

#else

ComPortAssignments comPorts(const SerialSystemView& system) {
    return linuxComPorts(system);
}

QString deviceName(const SerialPortEntry& port) {
    return port.systemLocation;
}

KernelUartRecords kernelUartRecords() {
    return readKernelUartRecords();
}

QString pinTarget(const QString& device) {
    return QFileInfo(device).canonicalFilePath();
}

// flush() hands the bytes to the system directly; waiting for "bytes written" instead would also
// read input and give up when the input buffer is full.
void handOverWrites(QSerialPort& port, const QDeadlineTimer& deadline) {
    while (port.bytesToWrite() > 0 && !deadline.hasExpired() && port.flush()) {
    }
}

void startClean(QSerialPort& port) {
    port.clear(QSerialPort::AllDirections);
}

// A hung-up terminal polls as hung up or failed for good, and answers a question about its
// waiting bytes with an error; a far end that wrote and then closed still leaves those bytes.
bool hasHungUp(QSerialPort& port) {
    pollfd watched{.fd = static_cast<int>(port.handle()), .events = POLLIN, .revents = 0};
    if (watched.fd < 0 || ::poll(&watched, 1, 0) != 1 ||
        (watched.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0)
        return false;
    int waiting = 0;
    return ::ioctl(watched.fd, FIONREAD, &waiting) != 0 || waiting == 0;
}

#endif

} // namespace platform

// Only the device's permissions tell a denied access from a busy port, and only Unix systems
// keep them as owner and group.
std::optional<QString> accessDeniedGroup(const QString& device) {
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return std::nullopt;
#else
    const QByteArray path = device.toLocal8Bit();
    // The effective user and groups are the ones open() is judged by.
    if (faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0 || errno != EACCES)
        return std::nullopt;
    struct stat status {};
    if (stat(path.constData(), &status) != 0)
        return std::nullopt;
    if (const group* owner = getgrgid(status.st_gid))
        return QString::fromLocal8Bit(owner->gr_name);
    return QString::number(status.st_gid);
#endif
}

} // namespace orv52
