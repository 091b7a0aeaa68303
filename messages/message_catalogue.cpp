#include "message_catalogue.h"

#include <algorithm>
#include <array>

namespace orv52 {

namespace {

constexpr std::array<Message, 8> kMessages{{
    {message_id::ValueOutOfRange0To255, "Podana wartość przekracza zakres (0..255) !!!",
     MessageKind::Warning},
    {message_id::NoConnection, "Brak połączenia z odbiornikiem !!!", MessageKind::Warning},
    {message_id::TransmissionError, "Błąd w transmisji !!!", MessageKind::Warning},
    {message_id::ProgrammingDone, "Programowanie zakończone !", MessageKind::Information},
    {message_id::PortBusy, "Port zajęty, ustaw inny port !!!", MessageKind::Warning},
    {message_id::InvalidPortNumber, "Błędny numer portu !!!", MessageKind::Warning},
    {message_id::ValueOutOfRange1To255, "Podana wartość przekracza zakres (1..255) !!!",
     MessageKind::Warning},
    {message_id::PortAccessDenied, "Brak dostępu do portu !!!", MessageKind::Warning},
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

std::string accessDeniedDetail(std::string_view device, std::string_view group) {
    const std::string groupName(group);
    return "Port " + std::string(device) + " mogą otwierać członkowie grupy „" + groupName +
           "”. Dodaj swoje konto do tej grupy (na przykład: sudo usermod -aG " + groupName +
           " $USER), a potem wyloguj się i zaloguj ponownie.";
}

} // namespace orv52
