#include "program_arguments.h"

#ifdef _WIN32
#include <QString>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace orv52 {

std::vector<std::string> programArguments(int argc, char* argv[]) {
#ifdef _WIN32
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

} // namespace orv52
