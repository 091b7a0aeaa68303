#include "answer_finding.h"

#include "receive_buffer.h"
#include "requests.h"

#include <algorithm>
#include <string>

namespace orv52 {

namespace {

constexpr std::string_view kRefusal = "ER";

// The answer that a request calls for.
struct ExpectedAnswer {
    std::string_view header;
    std::size_t statusAt;
    std::size_t size;
    Verdict complete;
};

ExpectedAnswer expectedAnswer(std::span<const std::uint8_t> request) {
    const bool programming =
        request.size() >= kHeaderSize &&
        std::equal(kProgrammingHeader.begin(), kProgrammingHeader.end(), request.begin());
    if (programming)
        return {kProgrammingHeader, kProgrammingStatusAt, kProgrammingAnswerSize,
                Verdict::ProgrammingDone};
    return {kConfigurationHeader, kConfigurationStatusAt, kConfigurationAnswerSize,
            Verdict::ConfigurationReceived};
}

// An answer the recognition completed; `followed` tells whether more bytes came after it.
Finding judgeComplete(Verdict verdict, const ReceiveBuffer& buffer, const ExpectedAnswer& expected,
                      bool followed) {
    if (verdict != expected.complete)
        return Finding::OtherKind;
    // A byte slipped into the record also spoils its check: the surplus is the cause.
    if (followed)
        return Finding::BytesTooMany;
    if (verdict == Verdict::ConfigurationReceived && !isRecordValid(buffer.record()))
        return Finding::BadRecord;
    return Finding::Answered;
}

// What the recognition kept of bytes that never completed an answer: the beginning of one, with
// the stray bytes before it dropped, or the last stray byte.
Finding judgeIncomplete(Verdict last, const std::string& kept, std::size_t receivedCount,
                        const ExpectedAnswer& expected) {
    if (last == Verdict::StrayData)
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

Finding examineAnswer(std::span<const std::uint8_t> request,
                      std::span<const std::uint8_t> received) {
    if (received.empty())
        return Finding::Silence;
    if (std::ranges::equal(received, request))
        return Finding::Echo;
    const ExpectedAnswer expected = expectedAnswer(request);
    // Byte by byte, so an answer is found where it ends even when more bytes came with it.
    ReceiveBuffer buffer;
    Verdict verdict = Verdict::Incomplete;
    for (std::size_t i = 0; i < received.size(); ++i) {
        buffer.append(received[i]);
        verdict = buffer.recognise();
        if (verdict == Verdict::ProgrammingDone || verdict == Verdict::ConfigurationReceived)
            return judgeComplete(verdict, buffer, expected, i + 1 < received.size());
    }
    return judgeIncomplete(verdict, buffer.text(), received.size(), expected);
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
    }
    return "unknown";
}

} // namespace orv52
