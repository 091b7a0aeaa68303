#include "window_command_line.h"

#include "command_line_common.h"
#include "messages/usage_error_text.h"

namespace orv52 {

WindowCommandLine parseWindowCommandLine(const QStringList& arguments) {
    const QCommandLineOption help = helpOption();
    const QCommandLineOption version = versionOption();
    QCommandLineParser parser;
    parser.addOptions({help, version, comPinOption()});
    WindowCommandLine result;
    if (!parser.parse(arguments)) {
        result.error = commandLineFailure(parser, arguments);
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = QString::fromStdString(
            usage::unexpectedArgument(parser.positionalArguments().front().toStdString()));
        return result;
    }
    result.help = parser.isSet(help);
    result.version = parser.isSet(version);
    if (result.help || result.version)
        return result;
    result.pins = comPinsGiven(parser, result.error);
    return result;
}

QString windowUsageText() {
    return QString::fromUtf8("Użycie: orv52-prog [--com N=URZĄDZENIE]...\n"
                             "\n"
                             "Programuje i odczytuje odbiorniki przez port szeregowy, w oknie "
                             "programu.\n"
                             "\n"
                             "Opcje:\n") +
           QString::fromStdString(comPinHelp()) + QString::fromUtf8(kVersionAndHelpHelp);
}

} // namespace orv52
