#pragma once

#include <QString>

namespace orv52 {

// The system's own name for "COM n", whatever is behind it: COMn on Windows, /dev/ttyS(n-1) on
// Linux and other Unix systems (COM 1 is /dev/ttyS0). Used for a number beyond the four that are
// mapped over the devices present.
QString comPortDeviceName(int portNumber);

} // namespace orv52
