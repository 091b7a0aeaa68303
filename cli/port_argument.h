#pragma once

#include <string>

namespace orv52 {
class SerialPortControl;
}

namespace orv52::cli {

// Points the port at what --port names: "COM1".."COM4" (any case) are the window's port numbers
// and are mapped to a device as the window maps them; anything else is a device, such as
// /dev/ttyUSB0, used as it is. Replaces what was selected before.
void selectPort(SerialPortControl& port, const std::string& argument);

} // namespace orv52::cli
