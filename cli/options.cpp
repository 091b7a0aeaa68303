#include "options.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orv52::cli {

namespace {

constexpr std::array<std::pair<std::string_view, Command>, 4> kCommands{{
    {"read", Command::Read},
    {"program", Command::Program},
    {"verify", Command::Verify},
    {"ports", Command::Ports},
}};

} // namespace

std::string_view commandName(Command command) {
    return std::ranges::find(kCommands, command, &std::pair<std::string_view, Command>::second)
        ->first;
}

std::optional<Command> commandNamed(std::string_view name) {
    const auto known =
        std::ranges::find(kCommands, name, &std::pair<std::string_view, Command>::first);
    if (known == kCommands.end())
        return std::nullopt;
    return known->second;
}

} // namespace orv52::cli
