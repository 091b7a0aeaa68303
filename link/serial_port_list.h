#pragma once

#include "link/com_port_map.h"

#include <vector>

namespace orv52 {

// The serial devices present now, as Qt SerialPort enumerates them (on Linux it leaves out the
// ttyS nodes with no UART behind them).
std::vector<SerialPortEntry> availableSerialPorts();

} // namespace orv52
