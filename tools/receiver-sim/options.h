#pragma once

#include "faults.h"
#include "protocol/record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orv52::sim {

struct Options {
    std::optional<std::string> linkPath; // a symlink to the slave, for scripts
    std::optional<Record> record;        // used as given, checksum included
    std::uint8_t firmwareVersion = 0x23;
    Faults faults;
    bool paced = true;
    bool log = false; // requests and answers in hex on stderr
};

inline constexpr const char* kUsage =
    "usage: orv52-receiver-sim [--link PATH] [--record HEX42] [--version HH]\n"
    "                          [--fault MODE]... [--no-pacing] [--log]\n"
    "  MODE: silent | stray | bad-checksum | er | extra-byte | split | delay=MS\n"
    "        | cut-short | noise | loopback\n";

// The options after the program name; nullopt with a reason in `error` for a bad command line.
std::optional<Options> parseOptions(std::span<char* const> args, std::string& error);

} // namespace orv52::sim
