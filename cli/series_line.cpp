#include "series_line.h"

#include "protocol/record.h"

namespace orv52::cli {

namespace {

std::string resultText(const SeriesResult& result) {
    switch (result.result) {
    case ExitCode::Done:
        return "wykonano";
    case ExitCode::Differs: {
        std::string text = "różni się:";
        for (std::size_t i = 0; i < result.differingKeys.size(); ++i)
            text += (i == 0 ? " " : ", ") + result.differingKeys[i];
        return text;
    }
    default:
        return std::string(exitCodeMeaning(result.result));
    }
}

} // namespace

std::string seriesResultLine(const SeriesResult& result) {
    const std::string version =
        result.firmwareVersion ? "wersja " + versionText(*result.firmwareVersion) : "wersja ?";
    return result.time.toString(QStringLiteral("HH:mm:ss")).toStdString() + "  nr " +
           std::to_string(result.ordinal) + "  " + result.port + "  " + version + "  " +
           resultText(result) + "\n";
}

std::string seriesSummary(int done, int failed) {
    const int receivers = done + failed;
    // After "z" Polish takes the genitive: singular for one, plural for any other number.
    return "Zaprogramowano " + std::to_string(done) + " z " + std::to_string(receivers) +
           (receivers == 1 ? " odbiornika" : " odbiorników") +
           "; nieudane: " + std::to_string(failed) + ".\n";
}

} // namespace orv52::cli
