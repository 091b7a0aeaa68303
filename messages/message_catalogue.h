#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv52 {

// Every message the program shows the operator: a fixed Polish text looked up by its number.
enum class MessageKind { Warning, Information };

namespace message_id {
inline constexpr int ValueOutOfRange0To255 = 101;
inline constexpr int NoConnection = 102;
inline constexpr int TransmissionError = 103;
inline constexpr int ProgrammingDone = 104;
inline constexpr int PortBusy = 105;
inline constexpr int InvalidPortNumber = 106;
inline constexpr int ValueOutOfRange1To255 = 107;
inline constexpr int PortAccessDenied = 108;
} // namespace message_id

struct Message {
    int id;
    std::string_view text; // UTF-8
    MessageKind kind;
};

std::optional<Message> findMessage(int id);

// "Ostrzeżenie" or "Informacja", UTF-8.
std::string_view messageTitle(MessageKind kind);

// The detail line under message 108: how the user gets access to the device. UTF-8.
std::string accessDeniedDetail(std::string_view device, std::string_view group);

} // namespace orv52
