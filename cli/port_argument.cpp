#include "port_argument.h"

#include "link/port_name.h"
#include "link/serial_port_control.h"

#include <QString>

namespace orv52::cli {

namespace {

// COM1..COM4 are the window's numbers; any other name, COM5 on Windows too, is a device.
int windowPortNumber(const std::string& argument) {
    const int number = comPortNumber(QString::fromStdString(argument)).value_or(0);
    return number <= kComPortCount ? number : 0;
}

} // namespace

void selectPort(SerialPortControl& port, const std::string& argument) {
    const int number = windowPortNumber(argument);
    if (number != 0)
        port.setComPort(number);
    else
        port.setDevice(QString::fromStdString(argument));
}

} // namespace orv52::cli
