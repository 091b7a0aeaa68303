#include "message_catalogue.h"

#include <algorithm>
#include <array>

namespace orv52 {

namespace {

constexpr std::array<Message, 7> kMessages{{
    {message_id::ValueOutOfRange0To255, "Podana wartość przekracza zakres (0..255) !!!",
     MessageKind::Warning},
    {message_id::NoConnection, "Brak połączenia z odbiornikiem !!!", MessageKind::Warning},
    {message_id::TransmissionError, "Błąd w transmisji !!!", MessageKind::Warning},
    {message_id::ProgrammingDone, "Programowanie zakończone !", MessageKind::Information},
    {message_id::PortBusy, "Port zajęty, ustaw inny port !!!", MessageKind::Warning},
    {message_id::InvalidPortNumber, "Błędny numer portu !!!", MessageKind::Warning},
    {message_id::ValueOutOfRange1To255, "Podana wartość przekracza zakres (1..255) !!!",
     MessageKind::Warning},
}};

} // namespace

std::optional<Message> findMessage(int id) {
    const auto it = std::ranges::find(kMessages, id, &Message::id);
    if (it == kMessages.end())
        return std::nullopt;
    return *it;
}

std::string_view messageTitle(MessageKind kind) {
    return kind == MessageKind::Information ? "Informacja" : "Ostrzeżenie";
}

} // namespace orv52
