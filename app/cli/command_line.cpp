#include "command_line.h"

#include "app/command_line_common.h"
#include "exit_code.h"

#include <QCommandLineParser>
#include <QStringList>
#include <array>
#include <string_view>
#include <utility>

namespace orv52::cli {

namespace {

constexpr std::array<std::pair<std::string_view, Command>, 4> kCommands{{
    {"read", Command::Read},
    {"program", Command::Program},
    {"verify", Command::Verify},
    {"ports", Command::Ports},
}};

const QCommandLineOption kHelp({QStringLiteral("h"), QStringLiteral("help")}, {});
const QCommandLineOption kVersion(QStringLiteral("version"), {});
const QCommandLineOption kTrace(QStringLiteral("trace"), {});
const QCommandLineOption kPort(QStringLiteral("port"), {}, QStringLiteral("PORT"));
const QCommandLineOption kOutput(QStringLiteral("output"), {}, QStringLiteral("PLIK"));
const QCommandLineOption kCom = comPinOption();

ParsedCommandLine usageError(const QString& error) {
    return {std::nullopt, false, false, error.toStdString()};
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    QCommandLineParser parser;
    parser.addOptions({kHelp, kVersion, kTrace, kPort, kOutput, kCom});
    parser.addPositionalArgument(QStringLiteral("polecenie"), {});
    QStringList words{QStringLiteral("orv52-cli")};
    for (const std::string& argument : arguments)
        words << QString::fromStdString(argument);
    if (!parser.parse(words))
        return usageError(commandLineFailure(parser, words));
    if (parser.isSet(kHelp))
        return {std::nullopt, true, false, {}};
    if (parser.isSet(kVersion))
        return {std::nullopt, false, true, {}};

    Options options;
    options.trace = parser.isSet(kTrace);
    for (const auto& [option, target] :
         {std::pair{&kPort, &options.port}, std::pair{&kOutput, &options.outputFile}}) {
        if (!parser.isSet(*option))
            continue;
        const QString value = parser.value(*option);
        if (value.isEmpty())
            return usageError(
                QStringLiteral("opcja --%1 wymaga wartości").arg(option->names().front()));
        *target = value.toStdString();
    }
    QString pinError;
    const auto pins = parseComPortPins(parser.values(kCom), pinError);
    if (!pins)
        return usageError(QStringLiteral("--com %1").arg(pinError));
    options.pins = *pins;

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(QStringLiteral("brak polecenia (read, program, verify albo ports)"));
    const QString commandName = positional.takeFirst();
    const auto known = std::ranges::find(kCommands, commandName.toStdString(),
                                         &std::pair<std::string_view, Command>::first);
    if (known == kCommands.end())
        return usageError(QStringLiteral("nieznane polecenie „%1”").arg(commandName));
    options.command = known->second;
    const bool needsFile =
        options.command == Command::Program || options.command == Command::Verify;
    if (positional.size() != (needsFile ? 1 : 0))
        return usageError(
            needsFile ? QStringLiteral("polecenie wymaga jednego pliku konfiguracji")
                      : QStringLiteral("polecenie %1 nie przyjmuje pliku").arg(commandName));
    if (needsFile)
        options.inputFile = positional.front().toStdString();
    return {options, false, false, {}};
}

std::string usageText() {
    return "Użycie: orv52-cli POLECENIE [--port PORT] [--com N=URZĄDZENIE]... [--output PLIK]\n"
           "                 [--trace] [PLIK]\n"
           "\n"
           "Polecenia:\n"
           "  read             odczytuje konfigurację odbiornika i wypisuje ją jako plik\n"
           "  program PLIK     wysyła konfigurację z pliku, odczytuje ją z powrotem i porównuje\n"
           "  verify PLIK      odczytuje konfigurację i porównuje ją z plikiem\n"
           "  ports            wypisuje, do czego prowadzą COM1..COM4, i inne porty szeregowe\n"
           "  PLIK \"-\" to standardowe wejście.\n"
           "\n"
           "Opcje:\n"
           "  --port PORT      COM1..COM4 (jak w oknie programu) albo ścieżka urządzenia,\n"
           "                   np. /dev/ttyUSB0; domyślnie COM1\n"
           "  --com N=URZĄDZENIE\n"
           "                   przypina COM N (1..4) do urządzenia, np.\n"
           "                   --com 2=/dev/serial/by-id/usb-...; można powtarzać\n"
           "  --output PLIK    zapisuje odczytaną konfigurację do pliku zamiast na wyjście\n"
           "  --trace          wypisuje na standardowe wyjście błędów każdy wysłany\n"
           "                   i odebrany bajt (szesnastkowo, z czasem w sekundach)\n"
           "  --version        wersja programu\n"
           "  --help           ten opis\n"
           "\n"
           "Kody wyjścia:\n" +
           exitCodeTable();
}

} // namespace orv52::cli
