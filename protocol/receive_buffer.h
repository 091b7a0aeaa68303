#pragma once

#include "record.h"
#include "requests.h"

#include <cstdint>
#include <span>
#include <string>

namespace orv52 {

// What the buffer holds after the bytes appended last: a whole answer of either kind, the part of
// one still being received, or nothing that can begin one. Whether the answer is the one the
// request called for, and sound, is judged elsewhere (answer_finding.h).
enum class Recognition {
    ProgrammingAnswer,   // "PRG" + 18 bytes + "OK", exactly 23 characters
    ConfigurationAnswer, // "CFG" + 2 bytes + "OK" + record, exactly 28; buffer is now the record
    Incomplete,
    StrayData, // nothing that can begin an answer; the buffer has been resynchronised
};

inline constexpr std::size_t kProgrammingAnswerSize = 23;
inline constexpr std::size_t kConfigurationAnswerSize = 28;
// Where "OK" stands: after the repeated frame, and after the repeated query.
inline constexpr std::size_t kProgrammingStatusAt = kRecordSize;
inline constexpr std::size_t kConfigurationStatusAt = kQuerySize;

// The bytes received since the current exchange began, one character per byte, and the
// recognition of a complete answer in them.
class ReceiveBuffer {
public:
    void clear() { text_.clear(); }
    void append(std::span<const std::uint8_t> bytes);
    void append(std::uint8_t byte);

    // Called after an append that added at least one byte. Stray bytes before a header are
    // dropped, and an answer behind them is recognised in the same call. A buffer that begins
    // with a header but has outgrown its answer never completes and is kept one character longer
    // than the answer, so it cannot grow without bound.
    Recognition recognise();

    const std::string& text() const { return text_; }

    // The 21 characters left by a ConfigurationAnswer, as a record. Missing characters
    // of a shorter buffer are 0.
    Record record() const;

private:
    void resynchronise();
    Recognition recogniseAnswer();
    void capAt(std::size_t size);

    std::string text_;
};

} // namespace orv52
