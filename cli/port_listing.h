#pragma once

#include "link/port_resolver.h"

#include <string>

namespace orv52::cli {

// What `ports` prints: what COM1..COM4 reach, one line each, then every other serial device with
// the path to give to --port. UTF-8.
std::string portListing(const PortSurvey& survey);

} // namespace orv52::cli
