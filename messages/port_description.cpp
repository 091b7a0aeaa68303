#include "port_description.h"

namespace orv52 {

QString describeSerialDevice(const SerialPortEntry& port) {
    QString what = port.description.isEmpty() ? QStringLiteral("port szeregowy") : port.description;
    if (!port.manufacturer.isEmpty())
        what += QStringLiteral(" (%1)").arg(port.manufacturer);
    return what;
}

QString describeComPort(const ComPortAssignment& assignment) {
    QString where = assignment.device;
    if (assignment.pinned && !assignment.resolvesTo.isEmpty() &&
        assignment.resolvesTo != assignment.device)
        where += QStringLiteral(" → ") + assignment.resolvesTo;
    QString what;
    if (assignment.hardware)
        what = describeSerialDevice(*assignment.hardware);
    else if (assignment.reachesDevice())
        what = QStringLiteral("urządzenie spoza listy portów szeregowych");
    else
        what = QStringLiteral("brak urządzenia");
    if (assignment.pinned)
        what += QStringLiteral(", przypisany");
    return where + QStringLiteral(": ") + what;
}

} // namespace orv52
