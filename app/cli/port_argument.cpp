#include "port_argument.h"

#include "link/serial_port_control.h"

#include <QString>

namespace orv52::cli {

namespace {

int comPortNumber(const std::string& argument) {
    const QString text = QString::fromStdString(argument);
    if (text.size() != 4 || !text.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return 0;
    const int number = text.back().digitValue();
    return number >= 1 && number <= kComPortCount ? number : 0;
}

} // namespace

void selectPort(SerialPortControl& port, const std::string& argument) {
    const int number = comPortNumber(argument);
    if (number != 0) {
        port.setCommPort(number);
        return;
    }
    port.setPortNameResolver([device = QString::fromStdString(argument)](int) { return device; });
}

} // namespace orv52::cli
