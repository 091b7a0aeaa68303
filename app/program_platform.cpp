#include "program_platform.h"

#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <QString>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orv52 {

std::vector<std::string> programArguments(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> arguments;
        for (int i = 0; i < count; ++i)
            arguments.push_back(QString::fromWCharArray(wide[i]).toStdString());
        LocalFree(wide);
        return arguments;
    }
#endif
    return {argv, argv + argc};
}

#ifdef Q_OS_WIN

// A windowed program has no console of its own: a redirected stream is written as it is, and
// otherwise the console of the program that started it, if any, takes the text in Unicode.
bool writeWhereStarted(StartupStream stream, const std::string& text) {
    const bool error = stream == StartupStream::Error;
    const HANDLE handle = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    const DWORD type = handle == nullptr || handle == INVALID_HANDLE_VALUE ? FILE_TYPE_UNKNOWN
                                                                           : GetFileType(handle);
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
        std::FILE* file = error ? stderr : stdout;
        return std::fputs(text.c_str(), file) >= 0 && std::fflush(file) == 0;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    const HANDLE console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return false;
    const std::wstring wide = QString::fromStdString(text).toStdWString();
    DWORD written = 0;
    const bool done =
        WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    CloseHandle(console);
    return done;
}

#else

// A terminal, a file or a pipe was chosen by whoever started the program; a socket (a desktop
// session's log) or /dev/null reaches nobody who is looking.
bool writeWhereStarted(StartupStream stream, const std::string& text) {
    const bool error = stream == StartupStream::Error;
    const int descriptor = error ? STDERR_FILENO : STDOUT_FILENO;
    struct stat status {};
    const bool chosen =
        fstat(descriptor, &status) == 0 &&
        (isatty(descriptor) != 0 || S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode));
    if (!chosen)
        return false;
    std::FILE* file = error ? stderr : stdout;
    return std::fputs(text.c_str(), file) >= 0 && std::fflush(file) == 0;
}

#endif

void ignoreBrokenPipes() {
#ifndef Q_OS_WIN
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

} // namespace orv52
