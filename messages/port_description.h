#pragma once

#include "link/com_port_map.h"

#include <QString>

namespace orv52 {

// What a device is: "FT232R USB UART (FTDI)", "port szeregowy" when it says nothing of itself.
QString describeSerialDevice(const SerialPortEntry& port);

// What a port option tells the operator: "/dev/ttyUSB0: FT232R USB UART (FTDI)", that no device
// is behind it, and for a pinned number where it leads and that it is pinned.
QString describeComPort(const ComPortAssignment& assignment);

} // namespace orv52
