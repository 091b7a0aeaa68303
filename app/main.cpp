#include "messages/usage_error_text.h"
#include "startup_text.h"
#include "ui/adresowanie_form.h"
#include "version.h"
#include "window_command_line.h"

#include <QApplication>

namespace {

// The window does not open after any of these.
int exitAfterCommandLine(const orv52::WindowCommandLine& commandLine, int& argc, char* argv[]) {
    using orv52::StartupStream;
    if (commandLine.help) {
        orv52::showStartupText(argc, argv, StartupStream::Output, orv52::windowUsageText(),
                               QMessageBox::Information);
        return 0;
    }
    if (commandLine.version) {
        orv52::showStartupText(argc, argv, StartupStream::Output,
                               QStringLiteral("orv52-prog ") + QLatin1String(orv52::kVersion) +
                                   QLatin1Char('\n'),
                               QMessageBox::Information);
        return 0;
    }
    orv52::showStartupText(argc, argv, StartupStream::Error,
                           QString::fromStdString(orv52::usage::usageErrorReport(
                               "orv52-prog", commandLine.error.toStdString())),
                           QMessageBox::Warning);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (const std::string& argument : orv52::programArguments(argc, argv))
        arguments << QString::fromStdString(argument);
    const orv52::WindowCommandLine commandLine = orv52::parseWindowCommandLine(arguments);
    if (!commandLine.pins)
        return exitAfterCommandLine(commandLine, argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORV-52 Prog"));
    QApplication::setApplicationVersion(QString::fromLatin1(orv52::kVersion));
    QApplication::setOrganizationName(QStringLiteral("Velunki"));

    orv52::Adresowanie_Form window; // shows itself once initialised
    window.setComPortPins(*commandLine.pins);
    return QApplication::exec();
}
