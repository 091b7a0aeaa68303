#include "program_platform.h"

#include <csignal>

#ifdef Q_OS_WIN
#include <QString>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
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

void ignoreBrokenPipes() {
#ifndef Q_OS_WIN
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

} // namespace orv52
