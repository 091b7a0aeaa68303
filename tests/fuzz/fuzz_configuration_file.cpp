// Feeds one input to the configuration file reader as a whole file. An accepted file must hold
// settings that fit the record and must come back the same through the writer; a refused one
// must say where and why, within the file's own lines.

#include "protocol/configuration_file.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkAccepted(const orv52::Configuration& settings) {
    require((settings.teamMaskHigh & 0x80) == 0);
    for (std::size_t i = 0; i < orv52::kTimingCount; ++i) {
        require(settings.timings[i] >= orv52::groupOf(orv52::kTimings[i]).lowest);
    }
    require(settings.displayCommand >= 0 &&
            settings.displayCommand < int(orv52::kDisplayCommandItems.size()));
    require(settings.buzzerMode >= 0 && settings.buzzerMode < int(orv52::kBuzzerModeItems.size()));
    require(settings.firmwareVersion == 0);

    const auto again = orv52::parseConfigurationFile(orv52::writeConfigurationFile(settings));
    require(again.settings && *again.settings == settings);
    require(orv52::describeDifferences(settings, *again.settings).empty());
}

void checkRefused(const orv52::ConfigurationFileError& error, std::string_view text) {
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    require(error.line >= 0 && error.line <= lines);
    require(!error.problem.empty());
    require(error.key.size() <= 40);
    require(!error.describe().empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = orv52::parseConfigurationFile(text);
    if (parsed.settings) {
        checkAccepted(*parsed.settings);
    } else {
        checkRefused(parsed.error, text);
    }
    return 0;
}
