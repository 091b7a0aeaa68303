#pragma once

#include <cstdint>
#include <span>
#include <string_view>

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
};

// Reads every byte received for `request` (a programming frame or a configuration query), from
// its sending to the end of the exchange in arrival order, with the same recognition the
// exchange uses, and names what came back.
Finding examineAnswer(std::span<const std::uint8_t> request,
                      std::span<const std::uint8_t> received);

// A short key that never changes, for logs and scripts: "answered", "silence", "echo", ...
std::string_view findingKey(Finding finding);

} // namespace orv52
