#pragma once

#include "receiver.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orv52::sim {

// Deliberate misbehaviour, applied to every answer.
struct Faults {
    bool silent = false;      // never answers
    bool stray = false;       // a few stray bytes before the answer
    bool badChecksum = false; // the record of a configuration answer is off by one
    bool error = false;       // "ER" in place of "OK"
    bool extraByte = false;   // one byte too many, in the same write as the last byte
    bool split = false;       // the answer in three batches with pauses between them
    int delayMs = 0;          // wait before answering
    bool cutShort = false;    // only the first half of the answer
    bool noise = false;       // bytes that begin no answer, in place of the answer
    bool loopback = false;    // no receiver: every byte received goes straight back
};

// Adds the fault named by `mode` ("silent", "stray", "bad-checksum", "er", "extra-byte",
// "split", "delay=MS", "cut-short", "noise", "loopback"); false for an unknown mode.
bool addFault(Faults& faults, std::string_view mode);

// One write() to the line, after a pause on top of the line's own pacing.
struct LineWrite {
    int pauseMs = 0;
    std::vector<std::uint8_t> bytes;
};

// The writes that carry `answer` with `faults` applied. Without faults every byte is its own
// write, as a UART delivers them.
std::vector<LineWrite> transmission(Answer answer, const Faults& faults);

// The writes that send back what a looped-back line received.
std::vector<LineWrite> loopedBack(std::span<const std::uint8_t> received);

} // namespace orv52::sim
