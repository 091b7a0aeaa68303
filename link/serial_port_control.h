#pragma once

#include "link/com_port_map.h"
#include "link/com_port_pin.h"
#include "link/port_access.h"
#include "link/port_resolver.h"
#include "protocol/numbered_error.h"

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace orv52 {

// The main window's serial port: fixed line settings (1200 baud, 8N1, no flow control), a COM
// number 1..4 mapped to a device, raw bytes one at a time. The modem-control lines are neither
// set nor read.
//
// The COM number is mapped over the serial devices present at each opening, so an adapter
// plugged in while the program runs is found; a number the user pinned opens its device. The
// command line may name a device instead of a number. Either way the port's resolver decides
// what opens, as it decides what the tool tips and the port listing name.
class SerialPortControl : public QObject {
    Q_OBJECT

public:
    static constexpr int kBaudRate = 1200;
    static constexpr qint64 kInputBufferSize = 1024;

    explicit SerialPortControl(QObject* parent = nullptr);

    // What the port's choice leads to; the system's own devices and no pins by default.
    PortResolver& resolver() { return resolver_; }
    const PortResolver& resolver() const { return resolver_; }

    // The COM number chosen for the next opening; 0 when a device is named instead.
    int comPort() const;
    void setComPort(int comPort);
    // A device for the next opening, named directly.
    void setDevice(const QString& device);
    // Either, as PortResolver::choiceNamed() reads a port's name.
    void choose(PortChoice choice);

    bool isOpen() const;
    // The device the port was last opened on, as it was named then.
    const QString& deviceName() const { return device_; }

    // Throws NumberedError: InvalidPortNumber when the device does not exist, PortAccessDenied
    // (that class) when the user may not open it, PortAlreadyOpen when it is busy or locked,
    // PortOpenFailed for any other failure. Does nothing on an open port.
    void open();
    void close();

    // Received bytes waiting to be read, at most kInputBufferSize, pulling what the system holds
    // first.
    int pendingCount();
    // The same without asking the system: what Qt's own reading has taken. After bytesArrived()
    // that is all there is, and asking again would race Qt's notifier for the same bytes.
    int receivedCount() const;
    // The oldest waiting byte. Nothing when no byte could be read: the port has failed then and
    // counts as closed, as for a device that went away.
    std::optional<std::uint8_t> readOne();
    // Drops every waiting byte, in Qt's buffer and the system's. Does nothing on a closed port.
    void discardInput();
    // Sends the bytes as one block. Throws NumberedError (PortWriteFailed) when the port cannot
    // take them.
    void write(std::span<const std::uint8_t> bytes);

signals:
    // Bytes have arrived (where the system tells of them: not under Wine).
    void bytesArrived();
    // The open device failed for good (cable pulled, adapter gone); the port counts as closed.
    void deviceLost();

protected:
    // Watches Qt's read notifier for a hang-up, which Qt itself no longer reports.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onError(QSerialPort::SerialPortError error);
    void markFailed();

    QSerialPort port_;
    PortResolver resolver_;
    PortChoice choice_ = 1;
    QString device_;
    // The device failed while open (cable pulled, adapter gone). The port counts as closed at
    // once and is really closed on the next turn of the event loop, outside Qt's notifier.
    bool failed_ = false;
};

} // namespace orv52
