#include "cli/checked_output.h"
#include "cli/console_output.h"
#include "cli/receiver_exchanges.h"
#include "cli/session.h"
#include "cli_command_line.h"
#include "messages/command_line_text.h"
#include "messages/file_failure_text.h"
#include "messages/usage_error_text.h"
#include "program_platform.h"
#include "version.h"

#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

namespace {

// --help and --version go to standard output like any result, and are checked like one.
int printed(const std::string& text) {
    using namespace orv52;
    using namespace orv52::cli;
    std::cout << text;
    try {
        flushChecked(std::cout, orv52::kStandardOutput);
    } catch (const Failure& failure) {
        std::cerr << orv52::kCliPrefix << failure.what() << std::endl;
        return static_cast<int>(failure.code());
    }
    return static_cast<int>(ExitCode::Done);
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace orv52;
    using namespace orv52::cli;
    orv52::ignoreBrokenPipes();
    const ConsoleOutput console;
    std::vector<std::string> arguments = orv52::programArguments(argc, argv);
    if (!arguments.empty())
        arguments.erase(arguments.begin()); // the program's name
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (parsed.help)
        return printed(usageText());
    if (parsed.version)
        return printed(std::string("orv52-cli ") + orv52::kVersion + "\n");
    if (!parsed.options) {
        std::cerr << orv52::usage::usageErrorReport("orv52-cli", parsed.error);
        return static_cast<int>(ExitCode::Usage);
    }

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orv52-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(orv52::kVersion));
    Session session(*parsed.options, std::cout, std::cerr);
    return static_cast<int>(session.run());
}
