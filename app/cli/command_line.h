#pragma once

#include "link/com_port_pin.h"

#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

enum class Command { Read, Program, Verify, Ports };

// What the user asked for on the command line.
struct Options {
    Command command = Command::Read;
    std::string port = "COM1"; // COM1..COM4 as the window numbers them, or a device
    std::string inputFile;     // program and verify: the configuration file, "-" for stdin
    std::string outputFile;    // where the configuration read goes; empty for stdout
    bool trace = false;        // every byte on the line to standard error
    ComPortPins pins;          // COM numbers pinned to devices
};

struct ParsedCommandLine {
    std::optional<Options> options; // empty for --help, --version and for a usage error
    bool help = false;
    bool version = false;
    std::string error; // Polish, set for a usage error
};

// The arguments after the program's name.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The --help text, in Polish.
std::string usageText();

} // namespace orv52::cli
