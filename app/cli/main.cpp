#include "app/version.h"
#include "command_line.h"
#include "session.h"

#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    // The messages are UTF-8 Polish; a Windows console shows them only in its UTF-8 code page.
    SetConsoleOutputCP(CP_UTF8);
#endif
    using namespace orv52::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (parsed.help) {
        std::cout << usageText();
        return static_cast<int>(ExitCode::Done);
    }
    if (parsed.version) {
        std::cout << "orv52-cli " << orv52::kVersion << "\n";
        return static_cast<int>(ExitCode::Done);
    }
    if (!parsed.options) {
        std::cerr << "orv52-cli: " << parsed.error << "\nWięcej: orv52-cli --help\n";
        return static_cast<int>(ExitCode::Usage);
    }

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orv52-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(orv52::kVersion));
    Session session(*parsed.options, std::cout, std::cerr);
    return static_cast<int>(session.run());
}
