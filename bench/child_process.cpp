#include "child_process.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

std::optional<ChildProcess> startChild(const std::vector<std::string>& args, bool captureStdout) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    int pipeFds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (captureStdout) {
        if (pipe2(pipeFds, O_CLOEXEC) != 0)
            return std::nullopt;
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    }
    ChildProcess child;
    const int failed = posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (captureStdout) {
        close(pipeFds[1]);
        child.stdoutFd = pipeFds[0];
    }
    if (failed != 0) {
        if (captureStdout)
            close(pipeFds[0]);
        return std::nullopt;
    }
    return child;
}

std::string readToEnd(int fd) {
    std::string text;
    char chunk[256];
    ssize_t n;
    while ((n = read(fd, chunk, sizeof chunk)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            text.append(chunk, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

std::optional<ChildExit> waitForChild(pid_t pid) {
    ChildExit exit;
    pid_t done;
    while ((done = wait4(pid, &exit.status, 0, &exit.usage)) < 0 && errno == EINTR) {
    }
    if (done != pid)
        return std::nullopt;
    return exit;
}
