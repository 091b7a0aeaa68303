#pragma once

#include <string>

// What is wrong with a program's command line, in Polish; options are named as they are typed.
namespace orv52::usage {

inline constexpr char kCountNeedsNumber[] = "opcja --count wymaga liczby odbiorników od 1";
inline constexpr char kSeriesOnlyProgram[] = "opcja --series dotyczy tylko polecenia program";
inline constexpr char kCountAndQuietOnlySeries[] =
    "opcje --count i --quiet dotyczą tylko serii (--series)";
inline constexpr char kBackupAndNoBackup[] = "opcje --backup i --no-backup wykluczają się";
inline constexpr char kProbeOnlyPorts[] = "opcja --probe dotyczy tylko polecenia ports";
inline constexpr char kPortsWithoutAutoPort[] = "polecenie ports nie przyjmuje --port auto";
inline constexpr char kSeriesWithoutAutoPort[] =
    "seria nie przyjmuje --port auto: podaj port, na którym czeka";
inline constexpr char kNoCommand[] = "brak polecenia (read, program, verify albo ports)";
inline constexpr char kCommandNeedsFile[] = "polecenie wymaga jednego pliku konfiguracji";

std::string optionNeedsValue(const std::string& option);    // "opcja --port wymaga wartości"
std::string unknownOption(const std::string& option);       // "nieznana opcja „--baud”"
std::string unknownCommand(const std::string& command);     // "nieznane polecenie „flash”"
std::string commandTakesNoFile(const std::string& command); // "polecenie read nie przyjmuje pliku"
std::string unexpectedArgument(const std::string& argument);
std::string comOptionRefused(const std::string& reason); // "--com " and why a pin was refused

// The whole report on standard error: the program, what is wrong, and where to read more.
std::string usageErrorReport(const std::string& program, const std::string& error);

} // namespace orv52::usage
