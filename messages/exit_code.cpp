#include "exit_code.h"

#include "message_catalogue.h"

#include <array>
#include <optional>
#include <string_view>

namespace orv52 {

namespace {

// Every code with its word and its meaning, in the order of the codes. A meaning that the window
// also says is the catalogue's message, as a phrase: `quoted` names it, and `meaning` adds to it.
struct CodeText {
    ExitCode code;
    std::string_view name;
    std::optional<int> quoted;
    std::string_view meaning;
};

constexpr std::array<CodeText, 12> kCodes{{
    {ExitCode::Done, "done", {}, "wykonano; konfiguracja zgodna z plikiem"},
    {ExitCode::Differs, "differs", {}, "konfiguracja w odbiorniku różni się od pliku"},
    {ExitCode::Usage, "usage", {}, "błędne wywołanie"},
    {ExitCode::NoAnswer, "no-answer", message_id::NoConnection, ""},
    {ExitCode::TransmissionError, "transmission-error", message_id::TransmissionError, ""},
    {ExitCode::InvalidPort, "invalid-port", message_id::InvalidPortNumber, " (brak urządzenia)"},
    {ExitCode::PortBusy, "port-busy", {}, "port zajęty przez inny program"},
    {ExitCode::AccessDenied, "access-denied", message_id::PortAccessDenied, ""},
    {ExitCode::BadInputFile, "bad-input-file", {}, "błędny plik konfiguracji"},
    {ExitCode::PortFailed, "port-failed", {}, "inny błąd portu"},
    {ExitCode::OutputFailed, "output-failed", {}, "nie można zapisać wyniku, kopii lub dziennika"},
    {ExitCode::Interrupted, "interrupted", {}, "przerwano (Ctrl-C)"},
}};

constexpr bool inCodeOrder() {
    for (std::size_t i = 0; i < kCodes.size(); ++i)
        if (static_cast<std::size_t>(kCodes[i].code) != i)
            return false;
    return true;
}
static_assert(inCodeOrder(), "a code is found by its value");

// "Brak dostępu do portu !!!" as a phrase: "brak dostępu do portu". The catalogue's messages
// begin with an ASCII capital.
std::string asPhrase(std::string_view message) {
    std::string phrase(message.substr(0, message.find(" !")));
    if (!phrase.empty() && phrase.front() >= 'A' && phrase.front() <= 'Z')
        phrase.front() = static_cast<char>(phrase.front() - 'A' + 'a');
    return phrase;
}

} // namespace

std::string_view exitCodeName(ExitCode code) {
    return kCodes.at(static_cast<std::size_t>(code)).name;
}

std::string exitCodeMeaning(ExitCode code) {
    const CodeText& entry = kCodes.at(static_cast<std::size_t>(code));
    std::string meaning;
    if (entry.quoted)
        meaning = asPhrase(findMessage(entry.quoted.value()).value().text);
    return meaning + std::string(entry.meaning);
}

std::string exitCodeTable() {
    std::string table;
    for (const CodeText& entry : kCodes) {
        const auto number = std::to_string(static_cast<int>(entry.code));
        table += std::string(4 - number.size(), ' ') + number + "  " + exitCodeMeaning(entry.code) +
                 "\n";
    }
    return table;
}

} // namespace orv52
