#include "series_text.h"

#include "protocol/record.h"

namespace orv52 {

std::string programmingReceiverText(int ordinal) {
    return "programuję odbiornik nr " + std::to_string(ordinal) + "…";
}

std::string retryingText(const std::string& failure) {
    return failure + " (ponawiam co sekundę)";
}

std::string seriesLineText(const QTime& time, int ordinal, const std::string& port,
                           const std::optional<std::uint8_t>& firmwareVersion,
                           const std::string& outcome) {
    const std::string version =
        firmwareVersion ? "wersja " + versionText(*firmwareVersion) : "wersja ?";
    return time.toString(QStringLiteral("HH:mm:ss")).toStdString() + "  nr " +
           std::to_string(ordinal) + "  " + port + "  " + version + "  " + outcome + "\n";
}

std::string differsText(const std::vector<std::string>& keys) {
    std::string text = "różni się:";
    for (std::size_t i = 0; i < keys.size(); ++i)
        text += (i == 0 ? " " : ", ") + keys[i];
    return text;
}

std::string seriesStoppedText(int handled, int count) {
    return "Przerwano po " + std::to_string(handled) + " z " + std::to_string(count) +
           (count == 1 ? " odbiornika" : " odbiorników") + ".\n";
}

std::string seriesSummaryText(int done, int failed) {
    const int receivers = done + failed;
    // After "z" Polish takes the genitive: singular for one, plural for any other number.
    return "Zaprogramowano " + std::to_string(done) + " z " + std::to_string(receivers) +
           (receivers == 1 ? " odbiornika" : " odbiorników") +
           "; nieudane: " + std::to_string(failed) + ".\n";
}

} // namespace orv52
