#include "series_line.h"

#include "protocol/record.h"

namespace orv52::cli {

namespace {

std::string resultText(const ReceiverResult& receiver) {
    switch (receiver.result) {
    case ExitCode::Done:
        return "wykonano";
    case ExitCode::Differs: {
        std::string text = "różni się:";
        for (std::size_t i = 0; i < receiver.differingKeys.size(); ++i)
            text += (i == 0 ? " " : ", ") + receiver.differingKeys[i];
        return text;
    }
    default:
        return std::string(exitCodeMeaning(receiver.result));
    }
}

} // namespace

std::string seriesResultLine(const QDateTime& time, int ordinal, const ReceiverResult& receiver) {
    const std::string version =
        receiver.firmwareVersion ? "wersja " + versionText(*receiver.firmwareVersion) : "wersja ?";
    return time.toString(QStringLiteral("HH:mm:ss")).toStdString() + "  nr " +
           std::to_string(ordinal) + "  " + receiver.port + "  " + version + "  " +
           resultText(receiver) + "\n";
}

std::string seriesSummary(int done, int failed) {
    const int receivers = done + failed;
    // After "z" Polish takes the genitive: singular for one, plural for any other number.
    return "Zaprogramowano " + std::to_string(done) + " z " + std::to_string(receivers) +
           (receivers == 1 ? " odbiornika" : " odbiorników") +
           "; nieudane: " + std::to_string(failed) + ".\n";
}

} // namespace orv52::cli
