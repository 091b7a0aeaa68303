#pragma once

#include "configuration.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv52 {

// A receiver's settings kept as a small text file that a person can read and edit. It is written
// in UTF-8; a file read may also be Windows-1250, as a Polish Windows editor saves it:
//
//   # comment
//   druzyny = 1, 8, 9, 15
//   opoznienie_przekaznik_gorny = 5
//   ...
//   wyswietl_polecenie = Wszystko
//   tryb_buzera = Długi przerywany
//   wersja = 2.3
//
// One "key = value" a line; blank lines and lines starting with '#' are ignored. Every key but
// "wersja" must be present exactly once; "wersja" is what a read found and is never sent.
// The keys that only the file has; the timings' and the lists' keys are in their description.
namespace config_key {
inline constexpr std::string_view Teams = "druzyny";
inline constexpr std::string_view Version = "wersja";
} // namespace config_key

// Why a file was refused: the line (1-based; 0 for a key that is missing) and the key it
// concerns, and a Polish description.
struct ConfigurationFileError {
    int line = 0;
    std::string key;
    std::string problem;

    // "wiersz 3, klucz „druzyny”: ..." — the place and the problem, in Polish.
    std::string describe() const;
};

struct ParsedConfigurationFile {
    std::optional<Configuration> settings; // set when the file is valid as a whole
    ConfigurationFileError error;          // meaningful only when settings is empty
};

// Reads a whole file. Nothing half-valid is ever returned: the first fault refuses the file.
ParsedConfigurationFile parseConfigurationFile(std::string_view text);

// The file for the given settings, with comments that say what each key means and takes.
std::string writeConfigurationFile(const Configuration& settings);

// One Polish line per key whose value differs, naming the key and both values as the file
// writes them ("druzyny: w pliku „1, 2”, w odbiorniku „1”"); the version is not compared.
std::vector<std::string> describeDifferences(const Configuration& expected,
                                             const Configuration& actual);

// The keys whose values differ, in file order, as describeDifferences names them.
std::vector<std::string> differingKeys(const Configuration& expected, const Configuration& actual);

} // namespace orv52
