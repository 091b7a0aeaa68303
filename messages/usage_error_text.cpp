#include "usage_error_text.h"

namespace orv52::usage {

std::string optionNeedsValue(const std::string& option) {
    return "opcja " + option + " wymaga wartości";
}

std::string unknownOption(const std::string& option) {
    return "nieznana opcja „" + option + "”";
}

std::string unknownCommand(const std::string& command) {
    return "nieznane polecenie „" + command + "”";
}

std::string commandTakesNoFile(const std::string& command) {
    return "polecenie " + command + " nie przyjmuje pliku";
}

std::string unexpectedArgument(const std::string& argument) {
    return "nieoczekiwany argument „" + argument + "”";
}

std::string comOptionRefused(const std::string& reason) {
    return "--com " + reason;
}

std::string usageErrorReport(const std::string& program, const std::string& error) {
    return program + ": " + error + "\nWięcej: " + program + " --help\n";
}

} // namespace orv52::usage
