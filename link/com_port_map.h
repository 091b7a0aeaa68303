#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace orv52 {

inline constexpr int kComPortCount = 4;

// One serial device as the system lists it: only devices with hardware behind them are listed.
struct SerialPortEntry {
    QString portName;       // "ttyUSB0", "ttyS0", "COM3"
    QString systemLocation; // "/dev/ttyUSB0", "\\.\COM3"
    QString description;    // "FT232R USB UART"; often empty for on-board ports
    QString manufacturer;   // "FTDI"
};

// The device that "COM n" opens, and what is behind it (nothing when no listed device is).
struct ComPortAssignment {
    QString device;
    std::optional<SerialPortEntry> hardware;
};

using ComPortAssignments = std::array<ComPortAssignment, kComPortCount>;

// Linux and other Unix systems: COM n is /dev/ttyS(n-1) when that port is listed (a UART is
// behind it); the COM numbers whose ttyS is not listed go, lowest first, to the USB serial
// adapters (ttyUSB*, ttyACM*) in the order of their names (ttyUSB2 before ttyUSB10). A number
// left over keeps /dev/ttyS(n-1), which fails to open like any absent port.
ComPortAssignments mapComPorts(const std::vector<SerialPortEntry>& ports);

// Windows: COM n is COMn, whatever is listed.
ComPortAssignments windowsComPorts(const std::vector<SerialPortEntry>& ports);

// The rule of the platform the program was built for.
ComPortAssignments nativeComPorts(const std::vector<SerialPortEntry>& ports);

// What a port option tells the operator: "/dev/ttyUSB0: FT232R USB UART (FTDI)", or that no
// device is behind it.
QString describeComPort(const ComPortAssignment& assignment);

} // namespace orv52
