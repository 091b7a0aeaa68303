#include "receive_buffer.h"

#include "requests.h"

#include <algorithm>
#include <string_view>

namespace orv52 {

namespace {

constexpr std::string_view kOk = "OK";
// In a configuration answer the record follows "OK".
static_assert(kConfigurationAnswerSize == kConfigurationStatusAt + kOk.size() + kRecordSize);
static_assert(kProgrammingAnswerSize == kProgrammingStatusAt + kOk.size());

// True when the text begins with a header, or is shorter than one and begins like one: a header
// split across two batches must survive.
bool couldBeginAnswer(std::string_view text) {
    const std::size_t n = std::min(kHeaderSize, text.size());
    return text.substr(0, n) == kProgrammingHeader.substr(0, n) ||
           text.substr(0, n) == kConfigurationHeader.substr(0, n);
}

} // namespace

void ReceiveBuffer::append(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
        append(byte);
    }
}

void ReceiveBuffer::append(std::uint8_t byte) {
    text_.push_back(static_cast<char>(byte));
}

Recognition ReceiveBuffer::recognise() {
    if (!couldBeginAnswer(text_)) {
        resynchronise();
        if (!couldBeginAnswer(text_)) {
            return Recognition::StrayData;
        }
    }
    return recogniseAnswer();
}

void ReceiveBuffer::resynchronise() {
    const std::string_view text = text_;
    std::size_t dropped = 0;
    while (dropped + 1 < text.size() && !couldBeginAnswer(text.substr(dropped))) {
        ++dropped;
    }
    text_.erase(0, dropped);
}

Recognition ReceiveBuffer::recogniseAnswer() {
    const std::string_view text = text_;
    if (text.size() < kHeaderSize) {
        return Recognition::Incomplete;
    }
    if (text.starts_with(kProgrammingHeader)) {
        if (text.size() == kProgrammingAnswerSize && text.ends_with(kOk)) {
            return Recognition::ProgrammingAnswer;
        }
        capAt(kProgrammingAnswerSize + 1);
        return Recognition::Incomplete;
    }
    if (text.size() == kConfigurationAnswerSize &&
        text.substr(kConfigurationStatusAt, kOk.size()) == kOk) {
        text_.erase(0, kConfigurationAnswerSize - kRecordSize);
        return Recognition::ConfigurationAnswer;
    }
    capAt(kConfigurationAnswerSize + 1);
    return Recognition::Incomplete;
}

void ReceiveBuffer::capAt(std::size_t size) {
    // Past its exact length an answer can never complete, so what comes later changes nothing.
    if (text_.size() > size) {
        text_.resize(size);
    }
}

Record ReceiveBuffer::record() const {
    Record record{};
    const std::size_t n = std::min(record.size(), text_.size());
    std::transform(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(n), record.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    return record;
}

} // namespace orv52
