#pragma once

#include "link/com_port_map.h"
#include "link/com_port_pin.h"
#include "link/port_access.h"
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

// The main window's serial port: fixed line settings (1200 baud, 8N1, no flow control), a port
// number 1..4 mapped to a device, raw bytes one at a time. The modem-control lines are neither
// set nor read.
//
// The port number is mapped over the serial devices present at each opening, so an adapter
// plugged in while the program runs is found; a number the user pinned opens its device; a
// resolver, when set, names the device instead.
class SerialPortControl : public QObject {
    Q_OBJECT

public:
    using PortNameResolver = std::function<QString(int portNumber)>;
    using PortLister = std::function<std::vector<SerialPortEntry>()>;

    static constexpr int kBaudRate = 1200;
    static constexpr qint64 kInputBufferSize = 1024;

    explicit SerialPortControl(QObject* parent = nullptr);

    void setPortNameResolver(PortNameResolver resolver);
    // The source of the device list the port numbers are mapped over, with the kernel's record of
    // its UARTs beside it; the system's own by default. A list set here has no kernel record.
    void setPortLister(PortLister lister);
    void setComPortPins(ComPortPins pins);
    // The serial devices, the kernel's record and the pins, as they are now.
    SerialSystemView serialSystem() const;
    // What port number 1..4 reaches now.
    ComPortAssignment comPortAssignment(int portNumber) const;

    int commPort() const { return portNumber_; }
    void setCommPort(int portNumber);

    bool isOpen() const;
    // The device the port was last opened on, as it was named then.
    const QString& deviceName() const { return device_; }

    // Throws NumberedError: InvalidPortNumber when the device does not exist, PortAccessDenied
    // (that class) when the user may not open it, PortAlreadyOpen when it is busy or locked,
    // PortOpenFailed for any other failure. Does nothing on an open port.
    void open();
    void close();

    // Received bytes waiting to be read, at most kInputBufferSize.
    int pendingCount();
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

private:
    void onError(QSerialPort::SerialPortError error);
    void markFailed();

    QSerialPort port_;
    PortNameResolver resolver_;
    PortLister lister_;
    std::function<KernelUartRecords()> kernelRecords_;
    ComPortPins pins_;
    QString device_;
    int portNumber_ = 1;
    // The device failed while open (cable pulled, adapter gone). The port counts as closed at
    // once and is really closed on the next turn of the event loop, outside Qt's notifier.
    bool failed_ = false;
};

} // namespace orv52
