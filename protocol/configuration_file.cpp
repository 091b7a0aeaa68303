#include "configuration_file.h"

#include "file_encoding.h"
#include "text_value.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <vector>

namespace orv52 {

namespace {

constexpr std::string_view kBlanks = " \t";
// Longest piece of a faulty line that an error message repeats.
constexpr std::size_t kQuotedBytes = 40;

enum class Key { Teams, Timing, DisplayCommand, BuzzerMode, Version };

struct KeyInfo {
    std::string_view name;
    Key key;
    std::size_t timing = 0;
};

constexpr std::array<KeyInfo, 10> kKeys{{
    {config_key::Teams, Key::Teams},
    {kTimings[0].fileKey, Key::Timing, 0},
    {kTimings[1].fileKey, Key::Timing, 1},
    {kTimings[2].fileKey, Key::Timing, 2},
    {kTimings[3].fileKey, Key::Timing, 3},
    {kTimings[4].fileKey, Key::Timing, 4},
    {kTimings[5].fileKey, Key::Timing, 5},
    {kDisplayCommand.fileKey, Key::DisplayCommand},
    {kBuzzerMode.fileKey, Key::BuzzerMode},
    {config_key::Version, Key::Version},
}};

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The text between Polish quotes, cut short (at a character boundary) when it is long.
std::string quoted(std::string_view text) {
    if (text.size() > kQuotedBytes) {
        std::size_t cut = kQuotedBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        return "„" + std::string(text.substr(0, cut)) + "…”";
    }
    return "„" + std::string(text) + "”";
}

// A plain decimal whole number: digits only, no sign, no blanks inside.
std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || ec != std::errc{} ||
        end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "1..15": the values a setting takes.
std::string rangeText(int lowest, int highest) {
    return std::to_string(lowest) + ".." + std::to_string(highest);
}

std::string itemList(const ListSetting& list, std::string_view separator) {
    std::string text;
    for (const auto item : list.items) {
        if (!text.empty())
            text += separator;
        text += item;
    }
    return text;
}

class FileReader {
public:
    ParsedConfigurationFile read(std::string_view bytes) {
        const DecodedFile decoded = decodeOperatorFile(bytes);
        if (decoded.unmarkedUtf16) {
            fail(1, {},
                 "plik zawiera bajty 0x00, jak zapisany w " +
                     std::string(encodingName(decoded.encoding)) +
                     " bez znacznika kolejności bajtów: zapisz plik w UTF-8");
            return {std::nullopt, error_};
        }
        if (decoded.badByte) {
            failOnByte(bytes, decoded);
            return {std::nullopt, error_};
        }
        std::string_view text = decoded.utf8;
        int lineNumber = 0;
        while (!text.empty() && !failed()) {
            const auto end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            readLine(++lineNumber, line);
        }
        for (std::size_t i = 0; i < kKeys.size() && !failed(); ++i)
            if (firstSeenOn_[i] == 0 && kKeys[i].key != Key::Version)
                fail(0, kKeys[i].name, "brak klucza w pliku");
        if (failed())
            return {std::nullopt, error_};
        return {settings_, {}};
    }

private:
    bool failed() const { return !error_.problem.empty(); }

    void fail(int line, std::string_view key, std::string problem) {
        error_ = {line, std::string(key), std::move(problem)};
    }

    // A byte that is no character in the file's encoding, told at its line and, when it stands in
    // a value, at the value's key.
    void failOnByte(std::string_view bytes, const DecodedFile& decoded) {
        const std::string_view before = decoded.readBefore;
        const int line = static_cast<int>(std::ranges::count(before, '\n')) + 1;
        const auto lineStart = before.rfind('\n');
        const std::string_view start =
            before.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1);
        std::string_view key;
        if (const auto equals = start.find('='); equals != std::string_view::npos) {
            const auto name = trim(start.substr(0, equals));
            if (std::ranges::find(kKeys, name, &KeyInfo::name) != kKeys.end())
                key = name;
        }
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X",
                      static_cast<unsigned char>(bytes[decoded.badByte.value()]));
        const bool utf16 = decoded.encoding == FileEncoding::Utf16LittleEndian ||
                           decoded.encoding == FileEncoding::Utf16BigEndian;
        fail(line, key,
             "bajt " + std::string(byte) +
                 (utf16 ? " nie należy do znaku " + std::string(encodingName(decoded.encoding))
                        : std::string(" nie jest znakiem ani w UTF-8, ani w Windows-1250")) +
                 ": zapisz plik w UTF-8");
    }

    void readLine(int line, std::string_view text) {
        text = trim(text);
        if (text.empty() || text.front() == '#')
            return;
        const auto equals = text.find('=');
        if (equals == std::string_view::npos) {
            fail(line, {}, "oczekiwano „klucz = wartość”, jest " + quoted(text));
            return;
        }
        const auto name = trim(text.substr(0, equals));
        const auto value = trim(text.substr(equals + 1));
        std::size_t index = 0;
        while (index < kKeys.size() && kKeys[index].name != name)
            ++index;
        if (index == kKeys.size()) {
            fail(line, name.substr(0, kQuotedBytes), "nieznany klucz");
            return;
        }
        if (firstSeenOn_[index] != 0) {
            fail(line, name,
                 "klucz powtórzony (pierwszy raz w wierszu " + std::to_string(firstSeenOn_[index]) +
                     ")");
            return;
        }
        firstSeenOn_[index] = line;
        readValue(line, kKeys[index], value);
    }

    void readValue(int line, const KeyInfo& info, std::string_view value) {
        switch (info.key) {
        case Key::Teams:
            readTeams(line, value);
            break;
        case Key::Timing:
            readTiming(line, info, value);
            break;
        case Key::DisplayCommand:
            readItem(line, kDisplayCommand, value, settings_.displayCommand);
            break;
        case Key::BuzzerMode:
            readItem(line, kBuzzerMode, value, settings_.buzzerMode);
            break;
        case Key::Version:
            break; // what a read found; never sent
        }
    }

    // Team numbers separated by commas or blanks; an empty value serves no team.
    void readTeams(int line, std::string_view value) {
        constexpr std::string_view separators = ", \t";
        while (!value.empty()) {
            const auto start = value.find_first_not_of(separators);
            if (start == std::string_view::npos)
                break;
            value.remove_prefix(start);
            const auto team = value.substr(0, value.find_first_of(separators));
            value.remove_prefix(team.size());
            const auto number = wholeNumber(team);
            if (!number || *number < teams::kLowest || *number > teams::kHighest) {
                fail(line, config_key::Teams,
                     "numer drużyny " + quoted(team) + " spoza zakresu " +
                         rangeText(teams::kLowest, teams::kHighest));
                return;
            }
            settings_.serveTeam(*number);
        }
    }

    void readTiming(int line, const KeyInfo& info, std::string_view value) {
        const int lowest = groupOf(kTimings[info.timing]).lowest;
        const auto number = wholeNumber(value);
        if (!number || *number < lowest || *number > kHighestTiming) {
            fail(line, info.name,
                 "wartość " + quoted(value) + " spoza zakresu " +
                     rangeText(lowest, kHighestTiming) + " (liczba całkowita)");
            return;
        }
        settings_.timings[info.timing] = static_cast<std::uint8_t>(*number);
    }

    void readItem(int line, const ListSetting& list, std::string_view value, int& position) {
        for (std::size_t i = 0; i < list.items.size(); ++i) {
            if (list.items[i] == value) {
                position = static_cast<int>(i);
                return;
            }
        }
        fail(line, list.fileKey,
             quoted(value) + " nie jest pozycją listy: " + itemList(list, ", "));
    }

    Configuration settings_;
    std::array<int, kKeys.size()> firstSeenOn_{};
    ConfigurationFileError error_;
};

std::string teamList(const Configuration& settings) {
    std::string list;
    for (int team = teams::kLowest; team <= teams::kHighest; ++team) {
        if (settings.servesTeam(team))
            list += (list.empty() ? "" : ", ") + std::to_string(team);
    }
    return list;
}

// The value a key has in the file for the given settings.
std::string valueText(const Configuration& settings, const KeyInfo& info) {
    switch (info.key) {
    case Key::Teams:
        return teamList(settings);
    case Key::Timing:
        return std::to_string(settings.timings[info.timing]);
    case Key::DisplayCommand:
        return std::string(
            kDisplayCommandItems.at(static_cast<std::size_t>(settings.displayCommand)));
    case Key::BuzzerMode:
        return std::string(kBuzzerModeItems.at(static_cast<std::size_t>(settings.buzzerMode)));
    case Key::Version:
        return versionText(settings.firmwareVersion);
    }
    return {};
}

std::string listComment(const ListSetting& list) {
    return "# " + std::string(list.caption) + ": " + itemList(list, " | ") + ".\n";
}

// Calls `visit(key, expected value, actual value)` for every key but the version whose values
// differ, in file order.
template <typename Visit>
void forEachDifference(const Configuration& expected, const Configuration& actual, Visit visit) {
    for (const auto& info : kKeys) {
        if (info.key == Key::Version)
            continue;
        const auto want = valueText(expected, info);
        const auto have = valueText(actual, info);
        if (want != have)
            visit(info, want, have);
    }
}

// What the file says before a key: one comment for each pair of timings, before its first.
std::string keyComment(const KeyInfo& info) {
    switch (info.key) {
    case Key::Teams:
        return "# Numery drużyn " + rangeText(teams::kLowest, teams::kHighest) +
               ", po przecinku; pusto: żadna.\n";
    case Key::Timing: {
        const auto& group = groupOf(kTimings[info.timing]);
        if (info.timing > 0 && kTimings[info.timing - 1].group == kTimings[info.timing].group)
            return {};
        return "# " + timingHeading(group) + ", " + rangeText(group.lowest, kHighestTiming) + ": " +
               std::string(group.pairComment) + ".\n";
    }
    case Key::DisplayCommand:
        return listComment(kDisplayCommand);
    case Key::BuzzerMode:
        return listComment(kBuzzerMode);
    case Key::Version:
        return "# Wersja oprogramowania odbiornika: tylko odczytana, nigdy nie wysyłana.\n";
    }
    return {};
}

} // namespace

std::string ConfigurationFileError::describe() const {
    std::string place;
    if (line > 0)
        place = "wiersz " + std::to_string(line);
    if (!key.empty())
        place += (place.empty() ? "klucz " : ", klucz ") + quoted(key);
    return place + ": " + problem;
}

ParsedConfigurationFile parseConfigurationFile(std::string_view text) {
    return FileReader{}.read(text);
}

std::string writeConfigurationFile(const Configuration& settings) {
    std::string file = "# Konfiguracja odbiornika ORV-52.\n";
    for (const auto& info : kKeys) {
        file += keyComment(info);
        const auto value = valueText(settings, info);
        file += std::string(info.name) + (value.empty() ? " =\n" : " = " + value + "\n");
    }
    return file;
}

std::vector<std::string> describeDifferences(const Configuration& expected,
                                             const Configuration& actual) {
    std::vector<std::string> differences;
    forEachDifference(expected, actual,
                      [&](const KeyInfo& info, const std::string& want, const std::string& have) {
                          differences.push_back(std::string(info.name) + ": w pliku " +
                                                quoted(want) + ", w odbiorniku " + quoted(have));
                      });
    return differences;
}

std::vector<std::string> differingKeys(const Configuration& expected, const Configuration& actual) {
    std::vector<std::string> keys;
    forEachDifference(expected, actual,
                      [&](const KeyInfo& info, const std::string&, const std::string&) {
                          keys.emplace_back(info.name);
                      });
    return keys;
}

} // namespace orv52
