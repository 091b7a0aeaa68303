#pragma once

#include "protocol/record.h"
#include "request_parser.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orv52::sim {

// An answer as a well-behaved receiver builds it: the request repeated, a status and, for a
// configuration query, the record the receiver holds.
struct Answer {
    std::vector<std::uint8_t> echo;
    std::array<std::uint8_t, 2> status{'O', 'K'};
    std::optional<Record> record;

    std::vector<std::uint8_t> bytes() const;
};

// Sets the last byte so that all 21 bytes sum to 0 modulo 256, as a received record must.
void seal(Record& record);

// What a receiver fresh from the factory holds: durations 1, first list items, valid checksum.
Record defaultRecord(std::uint8_t firmwareVersion);

class Receiver {
public:
    Receiver(const Record& initial, std::uint8_t firmwareVersion, bool storesProgramming = true)
        : record_(initial), firmwareVersion_(firmwareVersion),
          storesProgramming_(storesProgramming) {}

    // A programming frame replaces the held record; it is stored with this receiver's firmware
    // version and a checksum that fits, so a later query returns a valid record. A receiver that
    // does not store acknowledges the frame all the same and keeps what it held.
    Answer handle(const Request& request);

    const Record& record() const { return record_; }

private:
    Record record_;
    std::uint8_t firmwareVersion_;
    bool storesProgramming_;
};

} // namespace orv52::sim
