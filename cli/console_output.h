#pragma once

#include <memory>
#include <streambuf>

namespace orv52::cli {

// The command line writes UTF-8. A file or a pipe gets those bytes as they are; a Windows console
// would show them through its code page, and pieces of a character written apart as two wrong
// characters, so there whole UTF-8 runs are turned into UTF-16 and written as such.
// Elsewhere this does nothing.
class ConsoleOutput {
public:
    ConsoleOutput(); // points std::cout and std::cerr at the console where they are one
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

private:
    struct Redirection;
    std::unique_ptr<Redirection> out_;
    std::unique_ptr<Redirection> err_;
};

} // namespace orv52::cli
