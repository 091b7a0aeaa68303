#pragma once

#include <cstdlib>
#include <cstring>

// The run count given as the first argument, or `fallback` when none is given; 0 when the
// argument is not a whole number from 1 to 10000.
inline int runCount(int argc, char** argv, int fallback) {
    if (argc < 2)
        return fallback;
    char* end = nullptr;
    const long n = std::strtol(argv[1], &end, 10);
    return end != argv[1] && *end == '\0' && n >= 1 && n <= 10000 ? static_cast<int>(n) : 0;
}
