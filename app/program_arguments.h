#pragma once

#include <string>
#include <vector>

namespace orv52 {

// The program's arguments in UTF-8, its own name first. On Windows argv holds them in the ANSI
// code page, which has no room for many Polish letters ("Łódź" arrives garbled under code page
// 1252), so there they are split again from the Unicode command line, the way Windows splits it.
// Elsewhere they are argv's bytes as they are.
std::vector<std::string> programArguments(int argc, char* argv[]);

} // namespace orv52
