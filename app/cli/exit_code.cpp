#include "exit_code.h"

#include "ui/message_catalogue.h"

#include <array>
#include <string_view>
#include <utility>

namespace orv52::cli {

ExitCode exitCodeForMessage(int messageId) {
    switch (messageId) {
    case message_id::InvalidPortNumber:
        return ExitCode::InvalidPort;
    case message_id::PortBusy:
        return ExitCode::PortBusy;
    case message_id::PortAccessDenied:
        return ExitCode::AccessDenied;
    default:
        return ExitCode::PortFailed;
    }
}

std::string exitCodeTable() {
    constexpr std::array<std::pair<ExitCode, std::string_view>, 11> kMeanings{{
        {ExitCode::Done, "wykonano; konfiguracja zgodna z plikiem"},
        {ExitCode::Differs, "konfiguracja w odbiorniku różni się od pliku"},
        {ExitCode::Usage, "błędne wywołanie"},
        {ExitCode::NoAnswer, "brak połączenia z odbiornikiem"},
        {ExitCode::TransmissionError, "błąd w transmisji"},
        {ExitCode::InvalidPort, "błędny numer portu (brak urządzenia)"},
        {ExitCode::PortBusy, "port zajęty przez inny program"},
        {ExitCode::AccessDenied, "brak dostępu do portu"},
        {ExitCode::BadInputFile, "błędny plik konfiguracji"},
        {ExitCode::PortFailed, "inny błąd portu"},
        {ExitCode::OutputFailed, "nie można zapisać pliku wyjściowego"},
    }};
    std::string table;
    for (const auto& [code, meaning] : kMeanings) {
        const auto number = std::to_string(static_cast<int>(code));
        table += std::string(4 - number.size(), ' ') + number + "  " + std::string(meaning) + "\n";
    }
    return table;
}

} // namespace orv52::cli
