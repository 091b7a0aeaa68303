#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace orv52 {

// The system's own name for "COM n", whatever is behind it: COMn on Windows, /dev/ttyS(n-1) on
// Linux and other Unix systems (COM 1 is /dev/ttyS0). Used for a number beyond the four that are
// mapped over the devices present.
QString comPortDeviceName(int portNumber);
// The same on Linux (/dev/ttyS(n-1)) and on Windows (COMn), whatever the program was built for.
QString linuxComPortDevice(int portNumber);
QString windowsComPortDevice(int portNumber);

// The n of a name written "COMn" in any case, n from 1 in decimal digits ("com7", "COM12"); the
// one reading of such names for the port argument, the pins and Windows' port list. Nothing for
// any other text.
std::optional<int> comPortNumber(QStringView name);

// A device as help texts and messages name one, in the platform's own terms: a USB adapter, and
// the stable name of one to pin.
#ifdef Q_OS_WIN
inline constexpr char kExampleDevice[] = "COM7";
inline constexpr char kExamplePinnedDevice[] = "COM7";
#else
inline constexpr char kExampleDevice[] = "/dev/ttyUSB0";
inline constexpr char kExamplePinnedDevice[] = "/dev/serial/by-id/usb-...";
#endif

} // namespace orv52
