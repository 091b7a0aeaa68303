#include "exit_code.h"

#include <array>
#include <string_view>

namespace orv52::cli {

namespace {

// Every code with its word and its meaning, in the order of the codes.
struct CodeText {
    ExitCode code;
    std::string_view name;
    std::string_view meaning;
};

constexpr std::array<CodeText, 12> kCodes{{
    {ExitCode::Done, "done", "wykonano; konfiguracja zgodna z plikiem"},
    {ExitCode::Differs, "differs", "konfiguracja w odbiorniku różni się od pliku"},
    {ExitCode::Usage, "usage", "błędne wywołanie"},
    {ExitCode::NoAnswer, "no-answer", "brak połączenia z odbiornikiem"},
    {ExitCode::TransmissionError, "transmission-error", "błąd w transmisji"},
    {ExitCode::InvalidPort, "invalid-port", "błędny numer portu (brak urządzenia)"},
    {ExitCode::PortBusy, "port-busy", "port zajęty przez inny program"},
    {ExitCode::AccessDenied, "access-denied", "brak dostępu do portu"},
    {ExitCode::BadInputFile, "bad-input-file", "błędny plik konfiguracji"},
    {ExitCode::PortFailed, "port-failed", "inny błąd portu"},
    {ExitCode::OutputFailed, "output-failed", "nie można zapisać wyniku, kopii lub dziennika"},
    {ExitCode::Interrupted, "interrupted", "przerwano (Ctrl-C)"},
}};

constexpr bool inCodeOrder() {
    for (std::size_t i = 0; i < kCodes.size(); ++i)
        if (static_cast<std::size_t>(kCodes[i].code) != i)
            return false;
    return true;
}
static_assert(inCodeOrder(), "a code is found by its value");

} // namespace

ExitCode exitCodeForError(const NumberedError& error) {
    switch (error.number()) {
    case error_number::InvalidPortNumber:
        return ExitCode::InvalidPort;
    case error_number::PortAlreadyOpen:
        return ExitCode::PortBusy;
    case error_number::PortAccessDenied:
        return ExitCode::AccessDenied;
    default:
        return ExitCode::PortFailed;
    }
}

bool isPortFailure(ExitCode code) {
    switch (code) {
    case ExitCode::InvalidPort:
    case ExitCode::PortBusy:
    case ExitCode::AccessDenied:
    case ExitCode::PortFailed:
        return true;
    default:
        return false;
    }
}

std::string_view exitCodeName(ExitCode code) {
    return kCodes.at(static_cast<std::size_t>(code)).name;
}

std::string_view exitCodeMeaning(ExitCode code) {
    return kCodes.at(static_cast<std::size_t>(code)).meaning;
}

std::string exitCodeTable() {
    std::string table;
    for (const CodeText& entry : kCodes) {
        const auto number = std::to_string(static_cast<int>(entry.code));
        table +=
            std::string(4 - number.size(), ' ') + number + "  " + std::string(entry.meaning) + "\n";
    }
    return table;
}

} // namespace orv52::cli
