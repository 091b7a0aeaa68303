#include "messages/usage_error_text.h"
#include "program_platform.h"
#include "ui/adresowanie_form.h"
#include "version.h"
#include "window_command_line.h"

#include <QApplication>
#include <cstdio>

namespace {

int exitAfterCommandLine(const orv52::WindowCommandLine& commandLine) {
    if (commandLine.help) {
        std::fputs(orv52::windowUsageText().toUtf8().constData(), stdout);
        return 0;
    }
    if (commandLine.version) {
        std::printf("orv52-prog %s\n", orv52::kVersion);
        return 0;
    }
    std::fputs(
        orv52::usage::usageErrorReport("orv52-prog", commandLine.error.toStdString()).c_str(),
        stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (const std::string& argument : orv52::programArguments(argc, argv))
        arguments << QString::fromStdString(argument);
    const orv52::WindowCommandLine commandLine = orv52::parseWindowCommandLine(arguments);
    if (!commandLine.pins)
        return exitAfterCommandLine(commandLine);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORV-52 Prog"));
    QApplication::setApplicationVersion(QString::fromLatin1(orv52::kVersion));
    QApplication::setOrganizationName(QStringLiteral("Velunki"));

    orv52::Adresowanie_Form window; // shows itself once initialised
    window.setComPortPins(*commandLine.pins);
    return QApplication::exec();
}
