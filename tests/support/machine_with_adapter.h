#pragma once

#include "link/port_resolver.h"

#include <QString>

// A machine whose only serial device is one USB adapter at `device` (a pseudo-terminal, say),
// which COM 1 reaches, as the system would list it.
inline orv52::PortResolver::SystemReader machineWithAdapterAt(const QString& device) {
    return [device] { return orv52::SerialSystemView{{{"ttyUSB0", device, {}, {}}}, {}, {}}; };
}
