#pragma once

#include "record.h"

#include <cstdint>
#include <span>
#include <string>

namespace orv52 {

enum class Verdict {
    ProgrammingDone,       // "PRG" + 18 bytes + "OK", exactly 23 characters
    ConfigurationReceived, // "CFG" + 2 bytes + "OK" + record, exactly 28; buffer is now the record
    Incomplete,
    StrayData, // the buffer did not begin with a header and has been resynchronised
};

inline constexpr std::size_t kProgrammingAnswerSize = 23;
inline constexpr std::size_t kConfigurationAnswerSize = 28;

// The bytes received since the current exchange began, one character per byte, and the
// recognition of a complete answer in them.
class ReceiveBuffer {
public:
    void clear() { text_.clear(); }
    void append(std::span<const std::uint8_t> bytes);
    void append(std::uint8_t byte);

    // Called after an append that added at least one byte.
    Verdict recognise();

    const std::string& text() const { return text_; }

    // The 21 characters left by a ConfigurationReceived verdict, as a record.
    Record record() const;

private:
    std::string text_;
};

} // namespace orv52
