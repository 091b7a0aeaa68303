#pragma once

#include "link/port_resolver.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

// One serial port present, as the configuration query found it.
struct ProbedPort {
    std::string argument;  // what --port takes for it: "COM2", or its path beyond COM1..COM4
    std::string device;    // the device it opened: "/dev/ttyS1"
    bool numbered = false; // reached as one of COM1..COM4
    std::optional<std::uint8_t> firmwareVersion; // set when a receiver answered
    std::string outcome; // Polish: the receiver and its version, silence, or the port's error
};

// Sends the configuration query, which changes nothing on a receiver, on every serial port
// present, one after the other: the COM numbers that reach a device, then the other serial
// devices. With `trace`, every byte on the line goes to `traceOut`.
std::vector<ProbedPort> probePorts(const PortResolver& resolver, bool trace,
                                   std::ostream& traceOut);

// What `ports --probe` prints: one line a port. UTF-8.
std::string probeListing(const std::vector<ProbedPort>& ports);

// "COM2 (/dev/ttyS1)", or the path alone beyond COM1..COM4.
std::string portName(const ProbedPort& port);

// --port auto: the single port where a receiver answered. Throws Failure naming the ports when
// none or several did.
const ProbedPort& portWithTheReceiver(const std::vector<ProbedPort>& ports);

} // namespace orv52::cli
