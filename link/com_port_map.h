#pragma once

#include <QString>
#include <array>
#include <map>
#include <optional>
#include <variant>
#include <vector>

namespace orv52 {

// The operator's port numbers: "COM 1" to "COM 4".
inline constexpr int kComPortCount = 4;

// One serial device as Qt lists it.
struct SerialPortEntry {
    QString portName;       // "ttyUSB0", "ttyS0", "COM3"
    QString systemLocation; // "/dev/ttyUSB0", "\\.\COM3"
    QString description;    // "FT232R USB UART"; often empty for on-board ports
    QString manufacturer;   // "FTDI"
};

// Whether the kernel records a UART behind each ttyS it knows, by name ("ttyS0" -> true). A name
// missing here has no record (no sysfs, another system).
using KernelUartRecords = std::map<QString, bool>;

// A COM number the user pinned to a device, with what that device resolves to now (a by-id link
// to its /dev node); `target` is empty when nothing is there.
struct PinnedPort {
    int number = 0;
    QString device;
    QString target;
};

// Everything the numbering is worked out from, read from the system at one moment.
struct SerialSystemView {
    std::vector<SerialPortEntry> listed;
    KernelUartRecords kernelUarts;
    std::vector<PinnedPort> pins;
};

// The device that "COM n" opens, and what is behind it (nothing when no known device is).
struct ComPortAssignment {
    QString device;
    std::optional<SerialPortEntry> hardware;
    bool pinned = false;
    QString resolvesTo{}; // a pinned number's device resolved; empty when nothing is there

    // A device is there: listed, or a pinned device that resolves to something.
    bool reachesDevice() const { return hardware || (pinned && !resolvesTo.isEmpty()); }
};

using ComPortAssignments = std::array<ComPortAssignment, kComPortCount>;

// Linux and other Unix systems: a pinned number opens its device. Otherwise COM n is
// /dev/ttyS(n-1) when a UART is behind it (as the kernel records it; where it keeps no record,
// as Qt lists it); the numbers left go, lowest first, to the USB serial adapters (ttyUSB*,
// ttyACM*) that are not pinned, in the order of their names (ttyUSB2 before ttyUSB10). A number
// left over keeps /dev/ttyS(n-1), which fails to open like any absent port.
ComPortAssignments linuxComPorts(const SerialSystemView& system);

// Windows: a pinned number opens its device; otherwise COM n is COMn where that port is listed.
// The numbers whose COMn is not go, lowest first, to the ports listed beyond COM4 that are not
// pinned, in the order of their numbers, so an adapter at COM7 is reached as COM 1 when no COM1
// is there. A number left over keeps COMn, which fails to open like any absent port.
ComPortAssignments windowsComPorts(const SerialSystemView& system);

// What the user chose: a COM number, as the window's options and COM1..COM4 name one, or a
// device named directly (a path, a stable by-id name, a Windows port beyond COM4).
using PortChoice = std::variant<int, QString>;

// The serial devices that no COM number reaches, for the user to name by path: those listed
// (less the ttyS the kernel records without a UART) and the kernel's UARTs that Qt left out.
std::vector<SerialPortEntry> otherSerialDevices(const SerialSystemView& system,
                                                const ComPortAssignments& assignments);

} // namespace orv52
