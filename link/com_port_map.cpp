#include "link/com_port_map.h"

#include <QStringList>
#include <algorithm>
#include <tuple>

namespace orv52 {

namespace {

bool isUsbAdapter(const SerialPortEntry& port) {
    return port.portName.startsWith(QLatin1String("ttyUSB")) ||
           port.portName.startsWith(QLatin1String("ttyACM"));
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

} // namespace

ComPortAssignments mapComPorts(const std::vector<SerialPortEntry>& ports) {
    std::vector<const SerialPortEntry*> adapters;
    for (const auto& port : ports)
        if (isUsbAdapter(port))
            adapters.push_back(&port);
    std::ranges::sort(adapters, {},
                      [](const SerialPortEntry* port) { return nameOrder(port->portName); });

    ComPortAssignments assignments;
    auto nextAdapter = adapters.begin();
    for (int number = 1; number <= kComPortCount; ++number) {
        auto& assignment = assignments[number - 1];
        const QString onBoardName = QStringLiteral("ttyS%1").arg(number - 1);
        const SerialPortEntry* port = findPort(ports, onBoardName);
        if (!port && nextAdapter != adapters.end())
            port = *nextAdapter++;
        if (port) {
            assignment.device = port->systemLocation;
            assignment.hardware = *port;
        } else {
            assignment.device = QStringLiteral("/dev/ttyS%1").arg(number - 1);
        }
    }
    return assignments;
}

ComPortAssignments windowsComPorts(const std::vector<SerialPortEntry>& ports) {
    ComPortAssignments assignments;
    for (int number = 1; number <= kComPortCount; ++number) {
        auto& assignment = assignments[number - 1];
        assignment.device = QStringLiteral("COM%1").arg(number);
        if (const SerialPortEntry* port = findPort(ports, assignment.device))
            assignment.hardware = *port;
    }
    return assignments;
}

ComPortAssignments nativeComPorts(const std::vector<SerialPortEntry>& ports) {
#ifdef Q_OS_WIN
    return windowsComPorts(ports);
#else
    return mapComPorts(ports);
#endif
}

QString describeComPort(const ComPortAssignment& assignment) {
    if (!assignment.hardware)
        return QStringLiteral("%1: brak urządzenia").arg(assignment.device);
    const SerialPortEntry& port = *assignment.hardware;
    QString what = port.description.isEmpty() ? QStringLiteral("port szeregowy") : port.description;
    if (!port.manufacturer.isEmpty())
        what += QStringLiteral(" (%1)").arg(port.manufacturer);
    return QStringLiteral("%1: %2").arg(assignment.device, what);
}

} // namespace orv52
