#include "series_line.h"

#include "messages/series_text.h"

namespace orv52::cli {

namespace {

std::string outcomeText(const ReceiverResult& receiver) {
    switch (receiver.result) {
    case ExitCode::Done:
        return kProgrammedText;
    case ExitCode::Differs:
        return differsText(receiver.facts.differingKeys);
    default:
        return std::string(exitCodeMeaning(receiver.result));
    }
}

} // namespace

std::string seriesResultLine(const QDateTime& time, int ordinal, const ReceiverResult& receiver) {
    return seriesLineText(time.time(), ordinal, receiver.port, receiver.facts.firmwareVersion,
                          outcomeText(receiver));
}

} // namespace orv52::cli
