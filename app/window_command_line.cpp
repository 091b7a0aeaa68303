#include "window_command_line.h"

#include "command_line_common.h"

namespace orv52 {

WindowCommandLine parseWindowCommandLine(const QStringList& arguments) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version(QStringLiteral("version"), {});
    const QCommandLineOption com = comPinOption();
    QCommandLineParser parser;
    parser.addOptions({help, version, com});
    WindowCommandLine result;
    if (!parser.parse(arguments)) {
        result.error = commandLineFailure(parser, arguments);
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error =
            QStringLiteral("nieoczekiwany argument „%1”").arg(parser.positionalArguments().front());
        return result;
    }
    result.help = parser.isSet(help);
    result.version = parser.isSet(version);
    if (result.help || result.version)
        return result;
    QString pinError;
    result.pins = parseComPortPins(parser.values(com), pinError);
    if (!result.pins)
        result.error = QStringLiteral("--com ") + pinError;
    return result;
}

QString windowUsageText() {
    return QStringLiteral(
        "Użycie: orv52-prog [--com N=URZĄDZENIE]...\n"
        "\n"
        "Programuje i odczytuje odbiorniki przez port szeregowy, w oknie programu.\n"
        "\n"
        "Opcje:\n"
        "  --com N=URZĄDZENIE\n"
        "                   przypina COM N (1..4) do urządzenia, np.\n"
        "                   --com 2=/dev/serial/by-id/usb-...; można powtarzać\n"
        "  --version        wersja programu\n"
        "  --help           ten opis\n");
}

} // namespace orv52
