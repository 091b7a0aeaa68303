#pragma once

#include "cli/options.h"

#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

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
