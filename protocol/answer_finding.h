#pragma once

#include "configuration.h"
#include "receive_buffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace orv52 {

// What the bytes that came back in an exchange say about the line and the receiver.
// One byte wide, so that a loop over every byte value meets every finding.
enum class Finding : std::uint8_t {
    Answered,     // a complete, sound answer to the request
    Silence,      // nothing came back at all
    Echo,         // only the request itself came back: a loopback or an echoing adapter
    Refused,      // the request repeated with "ER" where "OK" belongs
    BytesTooMany, // a complete answer followed, or an answer broken, by bytes too many
    CutShort,     // an answer begun and cut short
    Stray,        // bytes that begin no answer to this request
    BadRecord,    // a configuration answer whose record fails its check
    OtherKind,    // the answer to the other request
    Garbled,      // an answer of the right length with neither "OK" nor "ER" in its place
    UnknownValue, // a sound record with a list setting this program does not know
};

// What the bytes of one exchange came to.
struct AnswerReading {
    Finding finding = Finding::Silence;
    // The settings of a complete configuration answer whose record reads, whichever request it
    // came back to.
    std::optional<Configuration> configuration;
    std::optional<UnknownListValue> unknownValue; // with Finding::UnknownValue
};

// Judges the bytes of one exchange, once, as they arrive: each batch read from the port goes
// through the receive buffer's recognition, which tells when a whole answer has come and the
// exchange ends, and the reading of everything taken so far says what came back.
class AnswerReader {
public:
    // For `request`: a programming frame or a configuration query.
    explicit AnswerReader(std::span<const std::uint8_t> request);

    // Takes the bytes of one read from the port, in arrival order; what the buffer holds after
    // them. An exchange ends at its first whole answer and takes nothing after it.
    Recognition take(std::span<const std::uint8_t> batch);
    // What the bytes taken so far came to, were the exchange to end now.
    AnswerReading reading() const;

private:
    std::vector<std::uint8_t> request_;
    ReceiveBuffer buffer_;
    Recognition recognition_ = Recognition::Incomplete;
    std::size_t receivedCount_ = 0;
    bool onlyTheRequest_ = true; // every byte so far repeats the request, in its place
};

// A short key that never changes, for logs and scripts: "answered", "silence", "echo", ...
std::string_view findingKey(Finding finding);

} // namespace orv52
