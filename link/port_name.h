#pragma once

#include <QString>

namespace orv52 {

// The serial device behind "COM n": COMn on Windows, /dev/ttyS(n-1) on Linux and other Unix
// systems (COM 1 is /dev/ttyS0).
QString comPortDeviceName(int portNumber);

} // namespace orv52
