#pragma once

#include <cstdint>
#include <string>

namespace orv52 {

// What orv52-cli puts before every line it tells the user on standard error.
inline constexpr char kCliPrefix[] = "orv52-cli: ";

// A failure of the port that the catalogue has no message for; `reason` is the system's own.
std::string portErrorText(const std::string& reason);

// An answer came back, but not the one expected: the catalogue's transmission error, and what was
// missing.
enum class ExpectedAnswer { Configuration, Acknowledgement };
std::string wrongAnswerText(ExpectedAnswer expected);

// The device went away under the exchange: an adapter pulled or a port switched off, which is
// no silence of the receiver.
std::string portLostText(const std::string& device);

// Where a programming kept what the receiver held before.
std::string backupWrittenText(const std::string& path);

// verify, and program after its read-back: the receiver holds what the file says, or not, and
// then each difference follows on a line of its own.
inline constexpr char kMatchesFileText[] = "Konfiguracja odbiornika zgodna z plikiem.";
inline constexpr char kDiffersFromFileText[] = "Konfiguracja odbiornika różni się od pliku:";

// A command stopped by Ctrl-C: the exchange under way has ended, and no other was started.
inline constexpr char kInterruptedText[] =
    "przerwano (Ctrl-C): bieżąca wymiana zakończona, następnej nie rozpoczęto";

// What ports --probe found on a port: a receiver and its firmware version, or silence.
std::string receiverFoundText(std::uint8_t firmwareVersion);
inline constexpr char kSilenceText[] = "cisza";

// --port auto: the single port where the receiver answers ("COM2 (/dev/ttyS1)"), none of the
// ports checked (a list of them, empty when there was none to check), or several.
std::string receiverOnPortText(const std::string& port);
std::string receiverOnNoPortText(const std::string& checked);
std::string receiverOnSeveralPortsText(const std::string& answered);

} // namespace orv52
