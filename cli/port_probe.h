#pragma once

#include "link/port_resolver.h"
#include "receiver_result.h"
#include "stop_request.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace orv52::cli {

// Sends the configuration query, which changes nothing on a receiver, on every serial port
// present, one after the other: the COM numbers that reach a device, then the other serial
// devices. One result a port, with what --port takes for it, the device it opened, and the
// receiver's firmware version where one answered. With `trace`, every byte on the line goes to
// `traceOut`.
// Once `stop` is requested no further port is queried: throws Failure (Interrupted).
std::vector<ReceiverResult> probePorts(const PortResolver& resolver, bool trace,
                                       std::ostream& traceOut, const StopRequest* stop = nullptr);

// What `ports --probe` prints: one line a port, with the receiver and its version, silence, or
// the port's error. UTF-8.
std::string probeListing(const std::vector<ReceiverResult>& ports);

// "COM2 (/dev/ttyS1)", or the path alone beyond COM1..COM4.
std::string portName(const ReceiverResult& port);

// --port auto: the single port where a receiver answered. Throws Failure naming the ports when
// none or several did.
const ReceiverResult& portWithTheReceiver(const std::vector<ReceiverResult>& ports);

} // namespace orv52::cli
