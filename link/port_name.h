#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace orv52 {

// The system's own name for "COM n", whatever is behind it, on Linux and other Unix systems
// (/dev/ttyS(n-1): COM 1 is /dev/ttyS0) and on Windows (COMn), whatever the program was built
// for.
QString linuxComPortDevice(int portNumber);
QString windowsComPortDevice(int portNumber);

// The n of a name written "COMn" in any case, n from 1 in decimal digits ("com7", "COM12"); the
// one reading of such names for the port argument, the pins and Windows' port list. Nothing for
// any other text.
std::optional<int> comPortNumber(QStringView name);

} // namespace orv52
