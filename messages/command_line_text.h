#pragma once

#include <cstdint>
#include <string>

namespace orv52 {

// What orv52-cli puts before every line it tells the user on standard error.
inline constexpr char kCliPrefix[] = "orv52-cli: ";

// The device went away under the exchange: an adapter pulled or a port switched off, which is
// no silence of the receiver.
std::string portLostText(const std::string& device);

// What ports --probe found on a port: a receiver and its firmware version, or silence.
std::string receiverFoundText(std::uint8_t firmwareVersion);
inline constexpr char kSilenceText[] = "cisza";

// --port auto: the single port where the receiver answers ("COM2 (/dev/ttyS1)"), none of the
// ports checked (a list of them, empty when there was none to check), or several.
std::string receiverOnPortText(const std::string& port);
std::string receiverOnNoPortText(const std::string& checked);
std::string receiverOnSeveralPortsText(const std::string& answered);

} // namespace orv52
