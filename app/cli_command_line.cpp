#include "cli_command_line.h"

#include "app/guide_location.h"
#include "command_line_common.h"
#include "link/platform.h"
#include "messages/exit_code.h"
#include "messages/usage_error_text.h"
#include "program_platform.h"

#include <QCommandLineParser>
#include <QStringList>
#include <utility>

namespace orv52::cli {

namespace {

const QCommandLineOption kHelp = helpOption();
const QCommandLineOption kVersion = versionOption();
const QCommandLineOption kTrace(QStringLiteral("trace"), {});
const QCommandLineOption kPort(QStringLiteral("port"), {}, QStringLiteral("PORT"));
const QCommandLineOption kOutput(QStringLiteral("output"), {}, QStringLiteral("PLIK"));
const QCommandLineOption kCom = comPinOption();
const QCommandLineOption kLog(QStringLiteral("log"), {}, QStringLiteral("PLIK"));
const QCommandLineOption kBackup(QStringLiteral("backup"), {}, QStringLiteral("KATALOG"));
const QCommandLineOption kNoBackup(QStringLiteral("no-backup"), {});
const QCommandLineOption kSeries(QStringLiteral("series"), {});
const QCommandLineOption kCount(QStringLiteral("count"), {}, QStringLiteral("N"));
const QCommandLineOption kQuiet(QStringLiteral("quiet"), {});
const QCommandLineOption kProbe(QStringLiteral("probe"), {});

ParsedCommandLine usageError(const QString& error) {
    return {std::nullopt, false, false, error.toStdString()};
}

// The options of a series and of the backup fit together and with the command; `count` is the
// text given to --count, empty when none was. Sets options.count.
std::optional<QString> checkSeriesAndBackup(Options& options, const std::string& count) {
    if (!count.empty()) {
        bool isNumber = false;
        options.count = QString::fromStdString(count).toInt(&isNumber);
        if (!isNumber || options.count < 1)
            return QString::fromUtf8(usage::kCountNeedsNumber);
    }
    if (options.series && options.command != Command::Program)
        return QString::fromUtf8(usage::kSeriesOnlyProgram);
    if ((options.count > 0 || options.quiet) && !options.series)
        return QString::fromUtf8(usage::kCountAndQuietOnlySeries);
    if (options.noBackup && !options.backupDirectory.empty())
        return QString::fromUtf8(usage::kBackupAndNoBackup);
    return std::nullopt;
}

// --probe and --port auto fit the command.
std::optional<QString> checkProbe(const Options& options) {
    if (options.probe && options.command != Command::Ports)
        return QString::fromUtf8(usage::kProbeOnlyPorts);
    if (options.port != kAutoPort)
        return std::nullopt;
    if (options.command == Command::Ports)
        return QString::fromUtf8(usage::kPortsWithoutAutoPort);
    if (options.series)
        return QString::fromUtf8(usage::kSeriesWithoutAutoPort);
    return std::nullopt;
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    QCommandLineParser parser;
    parser.addOptions({kHelp, kVersion, kTrace, kPort, kOutput, kCom, kLog, kBackup, kNoBackup,
                       kSeries, kCount, kQuiet, kProbe});
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
    options.noBackup = parser.isSet(kNoBackup);
    options.series = parser.isSet(kSeries);
    options.quiet = parser.isSet(kQuiet);
    options.probe = parser.isSet(kProbe);
    std::string count;
    for (const auto& [option, target] :
         {std::pair{&kPort, &options.port}, std::pair{&kOutput, &options.outputFile},
          std::pair{&kLog, &options.logFile}, std::pair{&kBackup, &options.backupDirectory},
          std::pair{&kCount, &count}}) {
        if (!parser.isSet(*option))
            continue;
        const QString value = parser.value(*option);
        if (value.isEmpty())
            return usageError(QString::fromStdString(
                usage::optionNeedsValue("--" + option->names().front().toStdString())));
        *target = value.toStdString();
    }
    QString pinError;
    const auto pins = comPinsGiven(parser, pinError);
    if (!pins)
        return usageError(pinError);
    options.pins = *pins;

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(QString::fromUtf8(usage::kNoCommand));
    const QString commandName = positional.takeFirst();
    const auto known = commandNamed(commandName.toStdString());
    if (!known)
        return usageError(QString::fromStdString(usage::unknownCommand(commandName.toStdString())));
    options.command = *known;
    const bool needsFile =
        options.command == Command::Program || options.command == Command::Verify;
    if (positional.size() != (needsFile ? 1 : 0))
        return usageError(needsFile ? QString::fromUtf8(usage::kCommandNeedsFile)
                                    : QString::fromStdString(
                                          usage::commandTakesNoFile(commandName.toStdString())));
    if (needsFile)
        options.inputFile = positional.front().toStdString();
    if (const auto error = checkSeriesAndBackup(options, count))
        return usageError(*error);
    if (const auto error = checkProbe(options))
        return usageError(*error);
    return {options, false, false, {}};
}

std::string usageText() {
    return std::string(
               "Użycie: orv52-cli POLECENIE [--port PORT] [--com N=URZĄDZENIE]... [--output PLIK]\n"
               "                 [--trace] [--log PLIK] [PLIK]\n"
               "       orv52-cli ports [--probe] [--com N=URZĄDZENIE]...\n"
               "       orv52-cli program [--backup KATALOG | --no-backup]\n"
               "                 [--series [--count N] [--quiet]] [opcje jak wyżej] PLIK\n"
               "\n"
               "Polecenia:\n"
               "  read             odczytuje konfigurację odbiornika i wypisuje ją jako plik\n"
               "  program PLIK     zapisuje kopię konfiguracji odbiornika, wysyła konfigurację\n"
               "                   z pliku, odczytuje ją z powrotem i porównuje; program KOPIA\n"
               "                   przywraca konfigurację z kopii\n"
               "  verify PLIK      odczytuje konfigurację i porównuje ją z plikiem\n"
               "  ports            wypisuje, do czego prowadzą COM1..COM4, i inne porty szeregowe\n"
               "  ports --probe    wysyła zapytanie o konfigurację (nic w odbiorniku nie zmienia)\n"
               "                   na każdy port po kolei i wypisuje, gdzie odpowiada odbiornik\n"
               "                   (z wersją), gdzie cisza, a gdzie błąd portu; kod 0, gdy\n"
               "                   odpowiedział któryś odbiornik, 3, gdy żaden\n"
               "  PLIK \"-\" to standardowe wejście.\n"
               "\n"
               "Opcje:\n"
               "  --port PORT      COM1..COM4 (jak w oknie programu) albo ścieżka urządzenia,\n"
               "                   np. ") +
           platform::kExampleDevice +
           "; domyślnie COM1; auto: jedyny port,\n"
           "                   na którym odpowiada odbiornik (gdy żaden albo kilka,\n"
           "                   odmawia i je wymienia; nie w serii)\n" +
           comPinHelp() +
           "  --output PLIK    zapisuje odczytaną konfigurację do pliku zamiast na wyjście\n"
           "  --trace          wypisuje na standardowe wyjście błędów każdy wysłany\n"
           "                   i odebrany bajt (szesnastkowo, z czasem w sekundach)\n"
           "  --log PLIK       dopisuje do pliku wiersz JSON o każdym poleceniu,\n"
           "                   a w serii o każdym odbiorniku\n"
           "  --backup KATALOG program: katalog kopii; domyślnie „kopie” w katalogu danych\n"
           "                   programu, np. " +
           kExampleBackupFolder + "\n" +
           "  --no-backup      program: bez kopii\n"
           "  --series         program: odbiornik za odbiornikiem na tym samym porcie; czeka\n"
           "                   na odbiornik, programuje go, sprawdza, wypisuje wiersz wyniku\n"
           "                   i czeka na odłączenie; Ctrl-C kończy czekanie od razu,\n"
           "                   a programowanie po wierszu wyniku bieżącego odbiornika;\n"
           "                   seria z --count przerwana przed N kończy się kodem 11\n"
           "  --count N        seria: kończy po N odbiornikach\n"
           "  --quiet          seria: bez sygnału dźwiękowego po wyniku\n" +
           std::string(kVersionAndHelpHelp) +
           "\n"
           "Kody wyjścia (seria: 0, gdy każdy odbiornik zaprogramowano; 1, gdy któryś nie;\n"
           "10, gdy nie można zapisać kopii albo wiersza wyniku):\n" +
           exitCodeTable() +
           "Kod 10 oznacza nieudany zapis: konfiguracji na wyjście lub do pliku --output,\n"
           "kopii, wiersza wyniku serii; dziennik --log, którego nie można otworzyć, kończy\n"
           "polecenie kodem 10, zanim cokolwiek zostanie wysłane; nieudany wiersz dziennika\n"
           "zmienia tylko kod 0 na 10 (odczyt i programowanie pozostają wykonane).\n"
           "Pierwsze Ctrl-C pozwala dokończyć bieżącą wymianę (najwyżej ok. 2 s), nie zaczyna\n"
           "następnej, wypisuje wynik i wiersz dziennika i kończy polecenie kodem 11; drugie\n"
           "Ctrl-C kończy program od razu.\n" +
           kGuideLine;
}

} // namespace orv52::cli
