#include "stop_signal.h"

#include <cerrno>
#include <csignal>
#include <sys/signalfd.h>
#include <system_error>
#include <unistd.h>

namespace orv52::sim {

StopSignal::StopSignal() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) == 0)
        fd_ = signalfd(-1, &signals, SFD_CLOEXEC);
    if (fd_ < 0)
        throw std::system_error(errno, std::generic_category(), "signalfd");
}

StopSignal::~StopSignal() {
    close(fd_);
}

} // namespace orv52::sim
