#pragma once

#include "soak_faults.h"

#include <cstdint>
#include <random>
#include <vector>

// The request of one soak exchange: the configuration query for a read, a programming frame with
// random settings, all within the window's ranges and lists, for a program.
std::vector<std::uint8_t> soakRequest(RequestKind kind, std::mt19937_64& random);
