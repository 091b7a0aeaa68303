#pragma once

#include <string>
#include <string_view>

namespace orv52 {

// What a script sees when orv52-cli ends; the values are part of the tool's interface.
enum class ExitCode {
    Done = 0,
    Differs = 1, // the receiver holds something other than the file
    // A series in which a receiver was not programmed; the code Differs has, which scripts
    // already read as "not every receiver is as the file says".
    ReceiverFailed = Differs,
    Usage = 2,             // the command line itself is wrong
    NoAnswer = 3,          // nothing complete came back within the timeout
    TransmissionError = 4, // an answer came back damaged or of the wrong kind
    InvalidPort = 5,       // no such device
    PortBusy = 6,          // another program holds the port
    AccessDenied = 7,      // the user may not open the device
    BadInputFile = 8,      // the configuration file cannot be read or is refused
    PortFailed = 9,        // any other failure of the port
    OutputFailed = 10,     // a result, a backup or a log line cannot be written
    Interrupted = 11,      // Ctrl-C: ended after the exchange under way, before the next
};

// A code as one word for logs and scripts: "done", "differs", "no-answer" and so on.
std::string_view exitCodeName(ExitCode code);

// What a code means, in Polish: "brak połączenia z odbiornikiem", in the catalogue's words where
// the window says the same.
std::string exitCodeMeaning(ExitCode code);

// The codes and their meaning, one per line, in Polish.
std::string exitCodeTable();

} // namespace orv52
