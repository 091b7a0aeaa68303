#include "link/serial_port_control.h"

#include "link/platform.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QMetaObject>
#include <QSocketNotifier>
#include <algorithm>
#include <utility>

namespace orv52 {

namespace {

// Bounds the hand-over of a request when the device keeps taking nothing, so the window never
// freezes on a stuck port.
constexpr int kWriteTimeoutMs = 500;

[[noreturn]] void throwOpenError(QSerialPort::SerialPortError error, const QString& text,
                                 const QString& device) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
    // A device node with no hardware behind it (the usual /dev/ttyS1..3) fails with EIO.
    case QSerialPort::ResourceError:
        throw NumberedError(error_number::InvalidPortNumber, text.toStdString());
    // Qt reports a busy device, a lock held by another program and a denied access alike; only
    // the device's permissions tell them apart.
    case QSerialPort::PermissionError:
        if (const auto group = accessDeniedGroup(device))
            throw PortAccessDenied(device, *group);
        throw NumberedError(error_number::PortAlreadyOpen, text.toStdString());
    default:
        throw NumberedError(error_number::PortOpenFailed, text.toStdString());
    }
}

} // namespace

SerialPortControl::SerialPortControl(QObject* parent) : QObject(parent) {
    // QSerialPort applies these when it opens the device.
    port_.setBaudRate(kBaudRate);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(kInputBufferSize);
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialPortControl::onError);
    connect(&port_, &QSerialPort::readyRead, this, &SerialPortControl::bytesArrived);
}

int SerialPortControl::comPort() const {
    const int* number = std::get_if<int>(&choice_);
    return number ? *number : 0;
}

void SerialPortControl::setComPort(int comPort) {
    choice_ = comPort;
}

void SerialPortControl::setDevice(const QString& device) {
    choice_ = device;
}

void SerialPortControl::choose(PortChoice choice) {
    choice_ = std::move(choice);
}

bool SerialPortControl::isOpen() const {
    return port_.isOpen() && !failed_;
}

void SerialPortControl::open() {
    if (failed_)
        close();
    if (port_.isOpen())
        return;
    device_ = resolver_.resolve(choice_).device;
    port_.setPortName(device_);
    if (!port_.open(QIODevice::ReadWrite))
        throwOpenError(port_.error(), port_.errorString(), device_);
    platform::startClean(port_);
    // Qt makes its read notifier when it opens the device (none on Windows), and a new one at
    // each opening; the one of an earlier opening may still wait for its deletion.
    for (auto* notifier : port_.findChildren<QSocketNotifier*>())
        notifier->installEventFilter(this);
}

void SerialPortControl::close() {
    failed_ = false;
    port_.close();
}

int SerialPortControl::pendingCount() {
    if (!isOpen())
        return 0;
    if (platform::hasHungUp(port_)) {
        markFailed();
        return 0;
    }
    // Pull what the system already holds, so a poll never depends on Qt's notifier having run.
    if (port_.bytesAvailable() < kInputBufferSize)
        port_.waitForReadyRead(0);
    if (!isOpen())
        return 0;
    return static_cast<int>(std::min(port_.bytesAvailable(), kInputBufferSize));
}

int SerialPortControl::receivedCount() const {
    return isOpen() ? static_cast<int>(std::min(port_.bytesAvailable(), kInputBufferSize)) : 0;
}

std::optional<std::uint8_t> SerialPortControl::readOne() {
    char byte = 0;
    if (isOpen() && port_.getChar(&byte))
        return static_cast<std::uint8_t>(byte);
    markFailed();
    return std::nullopt;
}

void SerialPortControl::discardInput() {
    if (!isOpen())
        return;
    port_.clear(QSerialPort::Input);
    // Reading also re-arms Qt's notifier, which stops when the read buffer is full.
    port_.readAll();
}

void SerialPortControl::write(std::span<const std::uint8_t> bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    if (!isOpen() || port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size)
        throw NumberedError(error_number::PortWriteFailed, port_.errorString().toStdString());
    const QDeadlineTimer deadline(kWriteTimeoutMs);
    platform::handOverWrites(port_, deadline);
    if (port_.bytesToWrite() > 0) {
        const QString text = port_.errorString();
        if (port_.isOpen())
            port_.clear(QSerialPort::Output);
        throw NumberedError(error_number::PortWriteFailed, text.toStdString());
    }
}

bool SerialPortControl::eventFilter(QObject* watched, QEvent* event) {
    // A hung-up device keeps the notifier firing with nothing to read: taken as it comes, it
    // would spin the event loop until the port is closed.
    auto* notifier = qobject_cast<QSocketNotifier*>(watched);
    if (notifier && event->type() == QEvent::SockAct && platform::hasHungUp(port_)) {
        notifier->setEnabled(false);
        markFailed();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void SerialPortControl::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    markFailed();
}

void SerialPortControl::markFailed() {
    if (!port_.isOpen() || failed_)
        return;
    // Qt keeps reporting a dead device from its read notifier, which must not be deleted from
    // inside its own notification, so the port is closed once control is back in the event loop.
    failed_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (failed_)
                close();
        },
        Qt::QueuedConnection);
    emit deviceLost();
}

} // namespace orv52
