#pragma once

// The receiver's line: 1200 baud, ten bits on the line for every byte (8N1).
inline constexpr double kBaud = 1200;
inline constexpr int kBitsPerByte = 10;

// The time `bytes` take on the line, in milliseconds.
constexpr double lineTimeMs(int bytes) {
    return bytes * kBitsPerByte * 1000.0 / kBaud;
}
