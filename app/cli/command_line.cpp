#include "command_line.h"

#include "exit_code.h"

#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace orv52::cli {

namespace {

constexpr std::array<std::pair<std::string_view, Command>, 3> kCommands{{
    {"read", Command::Read},
    {"program", Command::Program},
    {"verify", Command::Verify},
}};

ParsedCommandLine usageError(std::string error) {
    return {std::nullopt, false, std::move(error)};
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    Options options;
    std::optional<Command> command;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h")
            return {std::nullopt, true, {}};
        if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--no-backup" || argument == "--series" || argument == "--quiet") {
            (argument == "--no-backup" ? options.noBackup
             : argument == "--series"  ? options.series
                                       : options.quiet) = true;
        } else if (argument == "--port" || argument == "--output" || argument == "--backup" ||
                   argument == "--log" || argument == "--count") {
            if (i + 1 == arguments.size())
                return usageError("opcja " + argument + " wymaga wartości");
            const std::string& value = arguments[++i];
            if (value.empty())
                return usageError("opcja " + argument + " wymaga wartości");
            if (argument == "--count") {
                options.count = std::atoi(value.c_str());
                if (options.count <= 0 || std::to_string(options.count) != value)
                    return usageError("opcja --count wymaga liczby odbiorników od 1");
                continue;
            }
            (argument == "--port"     ? options.port
             : argument == "--output" ? options.outputFile
             : argument == "--backup" ? options.backupDirectory
                                      : options.logFile) = value;
        } else if (argument.size() > 1 && argument.front() == '-') {
            return usageError("nieznana opcja „" + argument + "”");
        } else if (!command) {
            for (const auto& [name, value] : kCommands)
                if (argument == name)
                    command = value;
            if (!command)
                return usageError("nieznane polecenie „" + argument + "”");
        } else {
            files.push_back(argument);
        }
    }
    if (!command)
        return usageError("brak polecenia (read, program albo verify)");
    options.command = *command;
    const bool needsFile = *command != Command::Read;
    if (files.size() != (needsFile ? 1u : 0u))
        return usageError(needsFile ? "polecenie wymaga jednego pliku konfiguracji"
                                    : "polecenie read nie przyjmuje pliku");
    if (needsFile)
        options.inputFile = files.front();
    if (options.series && *command != Command::Program)
        return usageError("opcja --series dotyczy tylko polecenia program");
    if ((options.count > 0 || options.quiet) && !options.series)
        return usageError("opcje --count i --quiet dotyczą tylko serii (--series)");
    if (options.noBackup && !options.backupDirectory.empty())
        return usageError("opcje --backup i --no-backup wykluczają się");
    return {options, false, {}};
}

std::string usageText() {
    return "Użycie: orv52-cli POLECENIE [--port PORT] [--output PLIK] [--trace] [PLIK]\n"
           "\n"
           "Polecenia:\n"
           "  read             odczytuje konfigurację odbiornika i wypisuje ją jako plik\n"
           "  program PLIK     wysyła konfigurację z pliku, odczytuje ją z powrotem i porównuje\n"
           "  verify PLIK      odczytuje konfigurację i porównuje ją z plikiem\n"
           "  PLIK \"-\" to standardowe wejście.\n"
           "\n"
           "Opcje:\n"
           "  --port PORT      COM1..COM4 (jak w oknie programu) albo ścieżka urządzenia,\n"
           "                   np. /dev/ttyUSB0; domyślnie COM1\n"
           "  --output PLIK    zapisuje odczytaną konfigurację do pliku zamiast na wyjście\n"
           "  --trace          wypisuje na standardowe wyjście błędów każdy wysłany\n"
           "                   i odebrany bajt (szesnastkowo, z czasem w sekundach)\n"
           "  --help           ten opis\n"
           "\n"
           "Kody wyjścia:\n" +
           exitCodeTable();
}

} // namespace orv52::cli
