#include "link/serial_port_list.h"

#include <QSerialPortInfo>

namespace orv52 {

std::vector<SerialPortEntry> availableSerialPorts() {
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(
            {info.portName(), info.systemLocation(), info.description(), info.manufacturer()});
    return ports;
}

} // namespace orv52
