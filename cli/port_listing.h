#pragma once

#include "link/com_port_map.h"

#include <string>

namespace orv52::cli {

// What `ports` prints: what COM1..COM4 reach, one line each, then every other serial device with
// the path to give to --port. UTF-8.
std::string portListing(const SerialSystemView& system);

// What --port takes for a device beyond COM1..COM4: "COM9" on Windows, its path elsewhere.
QString portArgument(const SerialPortEntry& port);

} // namespace orv52::cli
