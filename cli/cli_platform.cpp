#include "cli_platform.h"

#include <atomic>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <string>
#include <windows.h>
#else
#include <QFile>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#endif

namespace orv52::cli::platform {

#ifdef Q_OS_WIN

namespace {

// Whom the console's control events reach; the console calls its handler on a thread of its own.
std::atomic<QObject*> stopTarget{nullptr};

// Set by the first Ctrl-C or Ctrl-Break; the next is left to the system, which ends the program.
std::atomic<bool> stopAsked{false};

BOOL WINAPI onConsoleControl(DWORD event) {
    if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) || stopAsked.exchange(true))
        return FALSE;
    QMetaObject::invokeMethod(stopTarget.load(), "request", Qt::QueuedConnection);
    return TRUE;
}

HANDLE standardHandle(StandardStream stream) {
    return GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

} // namespace

bool syncToDisk(int descriptor) {
    return _commit(descriptor) == 0;
}

bool syncFolder(const QString& folder) {
    Q_UNUSED(folder);
    return true;
}

bool standardErrorIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

bool isConsole(StandardStream stream) {
    const HANDLE handle = standardHandle(stream);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

void writeToConsole(StandardStream stream, std::string_view text) {
    const int units =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    DWORD written = 0;
    WriteConsoleW(standardHandle(stream), wide.data(), static_cast<DWORD>(wide.size()), &written,
                  nullptr);
}

void catchStopSignals(QObject* target) {
    stopAsked = false;
    stopTarget = target;
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

void releaseStopSignals() {
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    stopTarget = nullptr;
}

#else

namespace {

constexpr std::array<int, 2> kStopSignals{SIGINT, SIGTERM};
constexpr int kNoPipe = -1;

// A signal handler reaches the event loop only through a pipe: it writes a byte to it, and the
// loop, woken by the byte, asks for the stop. The write end is all the handler needs.
std::atomic<int> stopPipeWriteEnd{kNoPipe};

struct StopPipe {
    int readEnd = kNoPipe;
    int writeEnd = kNoPipe;
    std::unique_ptr<QSocketNotifier> notifier;
};
StopPipe stopPipe;

extern "C" void onStopSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost by dropping this one.
    [[maybe_unused]] const auto written = write(stopPipeWriteEnd.load(), &byte, 1);
    errno = saved;
}

} // namespace

bool syncToDisk(int descriptor) {
    return fsync(descriptor) == 0;
}

bool syncFolder(const QString& folder) {
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0)
        return false;
    const bool synced = fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

bool standardErrorIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

bool isConsole(StandardStream) {
    return false;
}

void writeToConsole(StandardStream, std::string_view) {}

void catchStopSignals(QObject* target) {
    std::array<int, 2> ends{};
    if (pipe(ends.data()) != 0)
        return;
    for (const int end : ends)
        fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    stopPipe.readEnd = ends[0];
    stopPipe.writeEnd = ends[1];
    stopPipeWriteEnd = stopPipe.writeEnd;
    stopPipe.notifier = std::make_unique<QSocketNotifier>(stopPipe.readEnd, QSocketNotifier::Read);
    QObject::connect(stopPipe.notifier.get(), &QSocketNotifier::activated, target, [target] {
        char bytes[16];
        while (read(stopPipe.readEnd, bytes, sizeof bytes) > 0) {
        }
        QMetaObject::invokeMethod(target, "request");
    });
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // The first signal is caught; the handler is then the default again, so a second one ends
    // the program at once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : kStopSignals)
        sigaction(signal, &action, nullptr);
}

void releaseStopSignals() {
    if (!stopPipe.notifier)
        return;
    for (const int signal : kStopSignals)
        std::signal(signal, SIG_DFL);
    stopPipeWriteEnd = kNoPipe;
    stopPipe.notifier.reset();
    close(stopPipe.readEnd);
    close(stopPipe.writeEnd);
    stopPipe = {};
}

#endif

} // namespace orv52::cli::platform
