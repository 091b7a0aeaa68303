#pragma once

#include "faults.h"
#include "protocol/record.h"
#include "series.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orv52::sim {

struct Options {
    std::optional<std::string> linkPath; // a symlink to the slave, for scripts
    std::optional<std::string> device;   // an existing serial device served instead of a pty
    std::optional<Record> record;        // used as given, checksum included
    std::uint8_t firmwareVersion = 0x23;
    Faults faults;
    bool paced = true;
    bool log = false;     // requests and answers in hex on stderr
    bool logLine = false; // with each request logged, the line settings the program set
    std::optional<std::vector<SeriesMember>> series; // receivers that come and go
    int stayMs = 1500; // a receiver of a series stays this long after its programming
    int awayMs = 1500; // the line is silent this long between two receivers of a series
};

inline constexpr const char* kUsage =
    "usage: orv52-receiver-sim [--link PATH | --device PATH] [--record HEX42] [--version HH]\n"
    "                          [--fault MODE]... [--no-pacing] [--log [--log-line]]\n"
    "                          [--series HH[/no-store],... [--stay MS] [--away MS]]\n"
    "  MODE: silent | stray | bad-checksum | er | extra-byte | split | no-store | delay=MS\n"
    "        | cut-short | noise | loopback\n"
    "  --device: serve an existing serial device (a USB gadget's /dev/ttyGS0) instead of a\n"
    "            new pseudo-terminal\n"
    "  --log: on standard error, each request (RX) and the answer (TX); --log-line adds the\n"
    "         line settings at each request (LINE 1200 8N1)\n";

// The options after the program name; nullopt with a reason in `error` for a bad command line.
std::optional<Options> parseOptions(std::span<char* const> args, std::string& error);

} // namespace orv52::sim
