#pragma once

#include "link/com_port_pin.h"

#include <QString>

namespace orv52 {

// Why a value of --com was refused, in Polish.
QString comPortPinErrorText(const ComPortPinError& error);

} // namespace orv52
