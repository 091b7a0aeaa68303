#include "app/version.h"
#include "command_line.h"
#include "console_output.h"
#include "session.h"

#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    using namespace orv52::cli;
    const ConsoleOutput console;
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
