#include "stop_request.h"

#include <atomic>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orv52::cli {

namespace {

// The one live StopRequest, and on Linux the write end of its pipe: a signal handler has no
// object of its own to reach them through. Set by the constructor, cleared by the destructor.
std::atomic<StopRequest*> live{nullptr};
#ifndef _WIN32
constexpr int kNoPipe = -1;
std::atomic<int> liveWriteEnd{kNoPipe};
#endif

void claimTheSignals(StopRequest* request) {
    StopRequest* none = nullptr;
    if (!live.compare_exchange_strong(none, request))
        throw std::logic_error("StopRequest: one exists already");
}

} // namespace

#ifndef _WIN32

namespace {

constexpr std::array<int, 2> kStopSignals{SIGINT, SIGTERM};

extern "C" void onStopSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost by dropping this one.
    [[maybe_unused]] const auto written = write(liveWriteEnd.load(), &byte, 1);
    errno = saved;
}

} // namespace

StopRequest::StopRequest(QObject* parent) : QObject(parent) {
    claimTheSignals(this);
    std::array<int, 2> ends{};
    if (pipe(ends.data()) != 0)
        return; // without a pipe the signals keep their usual meaning
    for (const int end : ends)
        fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    pipeReadEnd_ = ends[0];
    pipeWriteEnd_ = ends[1];
    liveWriteEnd = pipeWriteEnd_;
    notifier_ = std::make_unique<QSocketNotifier>(pipeReadEnd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &StopRequest::drainPipe);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals)
        sigaction(signal, &action, nullptr);
}

StopRequest::~StopRequest() {
    if (notifier_) {
        for (const int signal : kStopSignals)
            std::signal(signal, SIG_DFL);
        liveWriteEnd = kNoPipe;
        notifier_.reset();
        close(pipeReadEnd_);
        close(pipeWriteEnd_);
    }
    live = nullptr;
}

void StopRequest::drainPipe() {
    char bytes[16];
    while (read(pipeReadEnd_, bytes, sizeof bytes) > 0) {
    }
    request();
}

#else

namespace {

BOOL WINAPI onConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // The console calls this on a thread of its own.
    QMetaObject::invokeMethod(live.load(), "request", Qt::QueuedConnection);
    return TRUE;
}

} // namespace

StopRequest::StopRequest(QObject* parent) : QObject(parent) {
    claimTheSignals(this);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

StopRequest::~StopRequest() {
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    live = nullptr;
}

#endif

void StopRequest::request() {
    if (requested_)
        return;
    requested_ = true;
    emit stopRequested();
}

} // namespace orv52::cli
