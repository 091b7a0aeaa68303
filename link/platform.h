#pragma once

#include "link/com_port_map.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QString>

// Where the serial link differs between Windows and Linux (or another Unix system): the rest of
// link/ asks here and holds no platform code of its own.
namespace orv52::platform {

// The rule that maps COM 1..4 over the devices present: windowsComPorts() or linuxComPorts().
ComPortAssignments comPorts(const SerialSystemView& system);

// The name that opens a listed device: "COM9" on Windows, its path ("/dev/ttyUSB3") elsewhere.
QString deviceName(const SerialPortEntry& port);

// The kernel's record of its UARTs. None on Windows, where Wine would reach the Linux host's
// through Z:.
KernelUartRecords kernelUartRecords();

// What a pinned device leads to now: a by-id link resolved to its node, empty when nothing is
// there; on Windows the name itself.
QString pinTarget(const QString& device);

// Waits until the bytes written to `port` are handed to the system, or until `deadline`.
void handOverWrites(QSerialPort& port, const QDeadlineTimer& deadline);

// Right after opening: nothing an earlier user of the device left behind goes out or is read as
// an answer. Qt for Unix flushes both directions at opening itself from 6.5 on; done here, every
// version starts the same. Nothing on Windows, where a purge would abort the read Qt has just
// started, and Qt reports the aborted read as a failed device.
void startClean(QSerialPort& port);

// Whether the open `port` has hung up, its far end closed or its adapter gone, with nothing left
// to read. Qt 6.4 reports a hang-up as a read error; from 6.5 on it reads nothing and says
// nothing, while the system keeps signalling it. Never on Windows, where Qt reports a vanished
// device itself.
bool hasHungUp(QSerialPort& port);

// A device as help texts and messages name one, in the platform's own terms: a USB adapter, and
// the stable name of one to pin.
#ifdef Q_OS_WIN
inline constexpr char kExampleDevice[] = "COM7";
inline constexpr char kExamplePinnedDevice[] = "COM7";
#else
inline constexpr char kExampleDevice[] = "/dev/ttyUSB0";
inline constexpr char kExamplePinnedDevice[] = "/dev/serial/by-id/usb-...";
#endif

} // namespace orv52::platform
