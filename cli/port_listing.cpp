#include "port_listing.h"

#include "messages/port_description.h"

namespace orv52::cli {

QString portArgument(const SerialPortEntry& port) {
#ifdef Q_OS_WIN
    return port.portName;
#else
    return port.systemLocation;
#endif
}

std::string portListing(const SerialSystemView& system) {
    const ComPortAssignments assignments = nativeComPorts(system);
    QString text;
    for (int number = 1; number <= kComPortCount; ++number)
        text +=
            QStringLiteral("COM%1  %2\n").arg(number).arg(describeComPort(assignments[number - 1]));
    const auto others = otherSerialDevices(system, assignments);
    if (others.empty()) {
        text += QStringLiteral("Innych portów szeregowych brak.\n");
    } else {
        text += QStringLiteral("Inne porty szeregowe (ścieżkę podaj w --port):\n");
        for (const SerialPortEntry& port : others)
            text +=
                QStringLiteral("  %1: %2\n").arg(portArgument(port), describeSerialDevice(port));
    }
    return text.toStdString();
}

} // namespace orv52::cli
