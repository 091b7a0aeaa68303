#pragma once

#include "link/com_port_map.h"

#include <QString>

namespace orv52 {

// What the kernel records of each ttyS port in its class directory: the `type` of
// <classDir>/ttySn, readable by every user without opening the device, 0 when no UART is behind
// it. Ports whose record cannot be read are left out; so is everything where there is no such
// directory.
KernelUartRecords readKernelUartRecords(const QString& classDir = QStringLiteral("/sys/class/tty"));

} // namespace orv52
