#pragma once

#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

// A process started from `args` (the program's path first) with this process's environment.
// With `captureStdout` its standard output goes to a pipe whose read end is `stdoutFd`.
struct ChildProcess {
    pid_t pid = -1;
    int stdoutFd = -1;
};

std::optional<ChildProcess> startChild(const std::vector<std::string>& args, bool captureStdout);

// Everything up to the end of the output; closes the descriptor.
std::string readToEnd(int fd);

struct ChildExit {
    int status = 0; // as waitpid gives it
    rusage usage{}; // the child's own, peak resident set included
};

std::optional<ChildExit> waitForChild(pid_t pid);
