#include "stop_request.h"

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

#ifndef _WIN32

namespace {

constexpr std::array<int, 2> kStopSignals{SIGINT, SIGTERM};

// The pipe the handler writes to; -1 while no StopRequest exists.
int pipeWriteEnd = -1;
int pipeReadEnd = -1;

extern "C" void onStopSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost by dropping this one.
    [[maybe_unused]] const auto written = write(pipeWriteEnd, &byte, 1);
    errno = saved;
}

} // namespace

StopRequest::StopRequest(QObject* parent) : QObject(parent) {
    std::array<int, 2> ends{};
    if (pipe(ends.data()) != 0)
        return; // without a pipe the signals keep their usual meaning
    pipeReadEnd = ends[0];
    pipeWriteEnd = ends[1];
    for (const int end : ends)
        fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(pipeReadEnd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &StopRequest::drainPipe);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals)
        sigaction(signal, &action, nullptr);
}

StopRequest::~StopRequest() {
    if (!notifier_)
        return;
    for (const int signal : kStopSignals)
        std::signal(signal, SIG_DFL);
    notifier_.reset();
    close(pipeReadEnd);
    close(pipeWriteEnd);
    pipeReadEnd = pipeWriteEnd = -1;
}

void StopRequest::drainPipe() {
    char bytes[16];
    while (read(pipeReadEnd, bytes, sizeof bytes) > 0) {
    }
    request();
}

#else

namespace {

StopRequest* current = nullptr;

BOOL WINAPI onConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // The console calls this on a thread of its own.
    QMetaObject::invokeMethod(current, "request", Qt::QueuedConnection);
    return TRUE;
}

} // namespace

StopRequest::StopRequest(QObject* parent) : QObject(parent) {
    current = this;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

StopRequest::~StopRequest() {
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    current = nullptr;
}

#endif

void StopRequest::request() {
    if (requested_)
        return;
    requested_ = true;
    emit stopRequested();
}

} // namespace orv52::cli
