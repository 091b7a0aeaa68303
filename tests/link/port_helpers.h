#pragma once

#include "link/serial_port_control.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

// Names the device the control opens, as the command line's --port does.
inline void useDevice(orv52::SerialPortControl& port, const std::string& path) {
    port.setDevice(QString::fromStdString(path));
}

// The number of the error that open() throws, or 0 when it opens.
inline int openFailure(orv52::SerialPortControl& port) {
    try {
        port.open();
    } catch (const orv52::NumberedError& error) {
        return error.number();
    }
    return 0;
}

inline std::vector<std::uint8_t> allByteValues() {
    std::vector<std::uint8_t> bytes(256);
    for (int value = 0; value < 256; ++value)
        bytes[value] = static_cast<std::uint8_t>(value);
    return bytes;
}

// Reads up to count bytes the way the main window does: poll, then take them one at a time,
// with the event loop running in between.
inline std::vector<std::uint8_t> receive(orv52::SerialPortControl& port, std::size_t count,
                                         int timeoutMs = 2000) {
    std::vector<std::uint8_t> bytes;
    const QDeadlineTimer deadline(timeoutMs);
    while (bytes.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        for (int waiting = port.pendingCount(); waiting > 0; --waiting) {
            const auto byte = port.readOne();
            if (!byte)
                return bytes;
            bytes.push_back(*byte);
        }
    }
    return bytes;
}
