#include "answer_finding.h"

#include "requests.h"

#include <algorithm>
#include <string>

namespace orv52 {

namespace {

constexpr std::string_view kRefusal = "ER";

// The answer that a request calls for: its header, where its status stands, its length, and how
// the recognition names it whole.
struct AnswerShape {
    std::string_view header;
    std::size_t statusAt;
    std::size_t size;
    Recognition whole;
};

AnswerShape shapeCalledFor(std::span<const std::uint8_t> request) {
    const bool programming =
        request.size() >= kHeaderSize &&
        std::equal(kProgrammingHeader.begin(), kProgrammingHeader.end(), request.begin());
    if (programming)
        return {kProgrammingHeader, kProgrammingStatusAt, kProgrammingAnswerSize,
                Recognition::ProgrammingAnswer};
    return {kConfigurationHeader, kConfigurationStatusAt, kConfigurationAnswerSize,
            Recognition::ConfigurationAnswer};
}

// A whole answer at the end of what came: what it is, and the settings it carries.
AnswerReading judgeWhole(Recognition recognition, const ReceiveBuffer& buffer,
                         const AnswerShape& expected) {
    AnswerReading reading{Finding::Answered, std::nullopt, std::nullopt};
    if (recognition == Recognition::ConfigurationAnswer) {
        const Record record = buffer.record();
        reading.configuration = readConfiguration(record);
        if (!isRecordValid(record)) {
            reading.finding = Finding::BadRecord;
        } else if (const auto unknown = unknownListValue(record)) {
            reading.finding = Finding::UnknownValue;
            reading.unknownValue = unknown;
        }
    }
    if (recognition != expected.whole)
        reading.finding = Finding::OtherKind;
    return reading;
}

// What the recognition kept of bytes that never made a whole answer: the beginning of one, with
// the stray bytes before it dropped, or the last stray byte. A buffer that has outgrown its answer
// was an answer with bytes too many in or after it.
Finding judgeIncomplete(Recognition last, const std::string& kept, std::size_t receivedCount,
                        const AnswerShape& expected) {
    if (last == Recognition::StrayData)
        return Finding::Stray;
    // A header cut short counts as an answer only when nothing came before it.
    if (kept.size() < kHeaderSize)
        return kept.size() == receivedCount ? Finding::CutShort : Finding::Stray;
    if (!kept.starts_with(expected.header))
        return Finding::OtherKind;
    if (kept.size() >= expected.statusAt + kRefusal.size() &&
        kept.compare(expected.statusAt, kRefusal.size(), kRefusal) == 0)
        return Finding::Refused;
    if (kept.size() > expected.size)
        return Finding::BytesTooMany;
    if (kept.size() < expected.size)
        return Finding::CutShort;
    return Finding::Garbled;
}

} // namespace

AnswerReader::AnswerReader(std::span<const std::uint8_t> request)
    : request_(request.begin(), request.end()) {}

Recognition AnswerReader::take(std::span<const std::uint8_t> batch) {
    if (batch.empty())
        return recognition_;
    for (const std::uint8_t byte : batch) {
        onlyTheRequest_ =
            onlyTheRequest_ && receivedCount_ < request_.size() && request_[receivedCount_] == byte;
        ++receivedCount_;
    }
    buffer_.append(batch);
    recognition_ = buffer_.recognise();
    return recognition_;
}

AnswerReading AnswerReader::reading() const {
    if (receivedCount_ == 0)
        return {Finding::Silence, std::nullopt, std::nullopt};
    if (onlyTheRequest_ && receivedCount_ == request_.size())
        return {Finding::Echo, std::nullopt, std::nullopt};
    const AnswerShape expected = shapeCalledFor(request_);
    if (recognition_ == Recognition::ProgrammingAnswer ||
        recognition_ == Recognition::ConfigurationAnswer)
        return judgeWhole(recognition_, buffer_, expected);
    return {judgeIncomplete(recognition_, buffer_.text(), receivedCount_, expected), std::nullopt,
            std::nullopt};
}

std::string_view findingKey(Finding finding) {
    switch (finding) {
    case Finding::Answered:
        return "answered";
    case Finding::Silence:
        return "silence";
    case Finding::Echo:
        return "echo";
    case Finding::Refused:
        return "refused";
    case Finding::BytesTooMany:
        return "bytes-too-many";
    case Finding::CutShort:
        return "cut-short";
    case Finding::Stray:
        return "stray";
    case Finding::BadRecord:
        return "bad-record";
    case Finding::OtherKind:
        return "other-kind";
    case Finding::Garbled:
        return "garbled";
    case Finding::UnknownValue:
        return "unknown-value";
    }
    return "unknown";
}

} // namespace orv52
