#pragma once

#include "link/com_port_pin.h"

#include <optional>
#include <string>
#include <string_view>

namespace orv52::cli {

enum class Command { Read, Program, Verify, Ports };

// --port auto: the single port where a receiver answers the configuration query.
inline constexpr char kAutoPort[] = "auto";

// What the user asked for on the command line.
struct Options {
    Command command = Command::Read;
    std::string port = "COM1"; // COM1..COM4 as the window numbers them, a device, or kAutoPort
    std::string inputFile;     // program and verify: the configuration file, "-" for stdin
    std::string outputFile;    // where the configuration read goes; empty for stdout
    bool trace = false;        // every byte on the line to standard error
    ComPortPins pins;          // COM numbers pinned to devices
    std::string logFile;       // one JSON line per command or receiver appended; empty for none
    // program: what the receiver held is kept here before the frame goes out; empty for the
    // default folder
    std::string backupDirectory;
    bool noBackup = false;
    bool series = false; // program: one receiver after another on the same port
    int count = 0;       // series: ends after this many receivers; 0 for no limit
    bool quiet = false;  // series: no bell on a result
    bool probe = false;  // ports: the configuration query on every port
};

// The word that names `command` on the command line: "read", "program" and so on.
std::string_view commandName(Command command);

// The command a word names; nothing for a word that names none.
std::optional<Command> commandNamed(std::string_view name);

} // namespace orv52::cli
