#include "link/com_port_map.h"

#include "link/port_name.h"

#include <QStringList>
#include <algorithm>
#include <tuple>
#include <utility>

namespace orv52 {

namespace {

bool isUsbAdapter(const SerialPortEntry& port) {
    return port.portName.startsWith(QLatin1String("ttyUSB")) ||
           port.portName.startsWith(QLatin1String("ttyACM"));
}

bool isOnBoardName(const QString& name) {
    return name.startsWith(QLatin1String("ttyS"));
}

// "ttyUSB10" as ("ttyUSB", 10), so that names sort as a person reads them.
std::tuple<QString, qsizetype, QString> nameOrder(const QString& name) {
    qsizetype digits = name.size();
    while (digits > 0 && name.at(digits - 1).isDigit())
        --digits;
    const QString number = name.mid(digits);
    return {name.left(digits), number.size(), number};
}

const SerialPortEntry* findPort(const std::vector<SerialPortEntry>& ports, const QString& name) {
    const auto it = std::ranges::find(ports, name, &SerialPortEntry::portName);
    return it == ports.end() ? nullptr : &*it;
}

const PinnedPort* findPin(const SerialSystemView& system, int number) {
    const auto it = std::ranges::find(system.pins, number, &PinnedPort::number);
    return it == system.pins.end() ? nullptr : &*it;
}

// Whether a pin reaches a listed port: by the node its device resolves to, by its path, or by
// the port's name as Windows names ports ("COM7", in any case).
bool leadsTo(const PinnedPort& pin, const SerialPortEntry& port) {
    return pin.target == port.systemLocation || pin.device == port.systemLocation ||
           pin.device.compare(port.portName, Qt::CaseInsensitive) == 0;
}

bool isPinTarget(const SerialSystemView& system, const SerialPortEntry& port) {
    return std::ranges::any_of(system.pins,
                               [&](const PinnedPort& pin) { return leadsTo(pin, port); });
}

// The kernel's record decides; where it keeps none, a ttyS Qt lists has a UART.
std::optional<SerialPortEntry> onBoardUart(const SerialSystemView& system, const QString& name) {
    const SerialPortEntry* listed = findPort(system.listed, name);
    const auto record = system.kernelUarts.find(name);
    const bool uart = record != system.kernelUarts.end() ? record->second : listed != nullptr;
    if (!uart)
        return std::nullopt;
    if (listed)
        return *listed;
    return SerialPortEntry{name, QStringLiteral("/dev/") + name, {}, {}};
}

ComPortAssignment pinnedAssignment(const SerialSystemView& system, const PinnedPort& pin) {
    ComPortAssignment assignment{pin.device, std::nullopt, true, pin.target};
    const auto port = std::ranges::find_if(
        system.listed, [&](const SerialPortEntry& listed) { return leadsTo(pin, listed); });
    if (port != system.listed.end())
        assignment.hardware = *port;
    return assignment;
}

} // namespace

ComPortAssignments linuxComPorts(const SerialSystemView& system) {
    std::vector<const SerialPortEntry*> adapters;
    for (const auto& port : system.listed)
        if (isUsbAdapter(port) && !isPinTarget(system, port))
            adapters.push_back(&port);
    std::ranges::sort(adapters, {},
                      [](const SerialPortEntry* port) { return nameOrder(port->portName); });

    ComPortAssignments assignments;
    auto nextAdapter = adapters.begin();
    for (int number = 1; number <= kComPortCount; ++number) {
        auto& assignment = assignments[number - 1];
        if (const PinnedPort* pin = findPin(system, number)) {
            assignment = pinnedAssignment(system, *pin);
            continue;
        }
        assignment.hardware = onBoardUart(system, QStringLiteral("ttyS%1").arg(number - 1));
        if (!assignment.hardware && nextAdapter != adapters.end())
            assignment.hardware = **nextAdapter++;
        assignment.device =
            assignment.hardware ? assignment.hardware->systemLocation : linuxComPortDevice(number);
    }
    return assignments;
}

ComPortAssignments windowsComPorts(const SerialSystemView& system) {
    std::vector<std::pair<int, const SerialPortEntry*>> beyondFour;
    for (const auto& port : system.listed) {
        const auto number = comPortNumber(port.portName);
        if (number && *number > kComPortCount && !isPinTarget(system, port))
            beyondFour.emplace_back(*number, &port);
    }
    std::ranges::sort(beyondFour, {}, [](const auto& numbered) { return numbered.first; });

    ComPortAssignments assignments;
    auto nextBeyondFour = beyondFour.begin();
    for (int number = 1; number <= kComPortCount; ++number) {
        auto& assignment = assignments[number - 1];
        if (const PinnedPort* pin = findPin(system, number)) {
            assignment = pinnedAssignment(system, *pin);
            continue;
        }
        assignment.device = windowsComPortDevice(number);
        if (const SerialPortEntry* port = findPort(system.listed, assignment.device)) {
            assignment.hardware = *port;
        } else if (nextBeyondFour != beyondFour.end()) {
            assignment.hardware = *nextBeyondFour++->second;
            assignment.device = assignment.hardware->portName;
        }
    }
    return assignments;
}

std::vector<SerialPortEntry> otherSerialDevices(const SerialSystemView& system,
                                                const ComPortAssignments& assignments) {
    const auto reached = [&](const QString& location) {
        return std::ranges::any_of(assignments, [&](const ComPortAssignment& assignment) {
            return assignment.device == location || assignment.resolvesTo == location ||
                   (assignment.hardware && assignment.hardware->systemLocation == location);
        });
    };
    std::vector<SerialPortEntry> others;
    for (const auto& port : system.listed) {
        const bool placeholder =
            isOnBoardName(port.portName) && !onBoardUart(system, port.portName).has_value();
        if (!placeholder && !reached(port.systemLocation))
            others.push_back(port);
    }
    for (const auto& [name, uart] : system.kernelUarts) {
        const QString location = QStringLiteral("/dev/") + name;
        if (uart && !findPort(system.listed, name) && !reached(location))
            others.push_back({name, location, {}, {}});
    }
    std::ranges::sort(others, {},
                      [](const SerialPortEntry& port) { return nameOrder(port.portName); });
    return others;
}

} // namespace orv52
