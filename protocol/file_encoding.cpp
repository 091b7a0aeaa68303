#include "file_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace orv52 {

namespace {

// Windows-1250's characters for the bytes 0x80 to 0xFF; 0 where the code page defines none.
constexpr std::array<char16_t, 128> kWindows1250{{
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, // 80
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // F8
}};

std::uint8_t byteAt(std::string_view text, std::size_t offset) {
    return static_cast<std::uint8_t>(text[offset]);
}

// The length of the UTF-8 sequence at `offset`, or 0 when none starts there: no overlong
// forms, no surrogates, nothing beyond U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text, std::size_t offset) {
    const std::uint8_t lead = byteAt(text, offset);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint8_t secondLowest = 0x80;
    std::uint8_t secondHighest = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLowest = lead == 0xE0 ? 0xA0 : 0x80;
        secondHighest = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLowest = lead == 0xF0 ? 0x90 : 0x80;
        secondHighest = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (offset + length > text.size())
        return 0;
    const std::uint8_t second = byteAt(text, offset + 1);
    if (second < secondLowest || second > secondHighest)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byteAt(text, offset + i) & 0xC0) != 0x80)
            return 0;
    return length;
}

// Where the first byte that is no part of valid UTF-8 stands.
std::optional<std::size_t> firstNonUtf8(std::string_view text) {
    std::size_t offset = 0;
    while (offset < text.size()) {
        const std::size_t length = utf8SequenceLength(text, offset);
        if (length == 0)
            return offset;
        offset += length;
    }
    return std::nullopt;
}

void appendUtf8(std::string& text, char32_t character) {
    if (character < 0x80) {
        text += static_cast<char>(character);
        return;
    }
    if (character < 0x800) {
        text += static_cast<char>(0xC0 | (character >> 6));
    } else if (character < 0x10000) {
        text += static_cast<char>(0xE0 | (character >> 12));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (character >> 18));
        text += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    }
    text += static_cast<char>(0x80 | (character & 0x3F));
}

DecodedFile refusedAt(std::size_t offset, FileEncoding encoding, std::string readBefore) {
    return {{}, offset, false, encoding, std::move(readBefore)};
}

// The text after a UTF-16 byte-order mark. A unit cut short, a surrogate out of its pair and
// U+0000 are no characters; the offset is that of their first byte in the whole file.
DecodedFile fromUtf16(std::string_view bytes, FileEncoding encoding) {
    const bool bigEndian = encoding == FileEncoding::Utf16BigEndian;
    const auto unitAt = [&](std::size_t offset) -> char32_t {
        const char32_t first = byteAt(bytes, offset);
        const char32_t second = byteAt(bytes, offset + 1);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    constexpr std::size_t kMarkSize = 2;
    std::string text;
    for (std::size_t offset = kMarkSize; offset < bytes.size(); offset += 2) {
        if (offset + 2 > bytes.size())
            return refusedAt(offset, encoding, std::move(text));
        char32_t character = unitAt(offset);
        if (character >= 0xD800 && character <= 0xDBFF && offset + 4 <= bytes.size()) {
            const char32_t low = unitAt(offset + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(text, 0x10000 + ((character - 0xD800) << 10) + (low - 0xDC00));
                offset += 2;
                continue;
            }
        }
        if (character == 0 || (character >= 0xD800 && character <= 0xDFFF))
            return refusedAt(offset, encoding, std::move(text));
        appendUtf8(text, character);
    }
    return {std::move(text), std::nullopt, false, encoding, {}};
}

DecodedFile fromWindows1250(std::string_view bytes) {
    DecodedFile decoded{{}, std::nullopt, false, FileEncoding::Windows1250, {}};
    for (std::size_t offset = 0; offset < bytes.size(); ++offset) {
        const std::uint8_t byte = byteAt(bytes, offset);
        if (byte < 0x80) {
            decoded.utf8 += static_cast<char>(byte);
            continue;
        }
        const char16_t character = kWindows1250[byte - 0x80];
        if (character == 0)
            return refusedAt(offset, FileEncoding::Windows1250,
                             std::string(bytes.substr(0, offset)));
        appendUtf8(decoded.utf8, character);
    }
    return decoded;
}

} // namespace

DecodedFile decodeOperatorFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        const std::string_view text = bytes.substr(kUtf8ByteOrderMark.size());
        if (const auto bad = firstNonUtf8(text))
            return refusedAt(*bad + kUtf8ByteOrderMark.size(), FileEncoding::Utf8,
                             std::string(text.substr(0, *bad)));
        return {std::string(text), std::nullopt, false, FileEncoding::Utf8, {}};
    }
    if (bytes.starts_with(kUtf16LittleEndianMark))
        return fromUtf16(bytes, FileEncoding::Utf16LittleEndian);
    if (bytes.starts_with(kUtf16BigEndianMark))
        return fromUtf16(bytes, FileEncoding::Utf16BigEndian);
    if (const auto firstNul = bytes.find('\0'); firstNul != std::string_view::npos) {
        // Text in UTF-16 has the NUL of each ASCII character after it in little-endian order.
        std::size_t atOdd = 0;
        for (std::size_t offset = 1; offset < bytes.size(); offset += 2)
            atOdd += bytes[offset] == '\0' ? 1 : 0;
        const auto nuls = static_cast<std::size_t>(std::ranges::count(bytes, '\0'));
        return {{},
                firstNul,
                true,
                atOdd * 2 >= nuls ? FileEncoding::Utf16LittleEndian : FileEncoding::Utf16BigEndian,
                {}};
    }
    if (!firstNonUtf8(bytes))
        return {std::string(bytes), std::nullopt, false, FileEncoding::Utf8, {}};
    return fromWindows1250(bytes);
}

std::string_view encodingName(FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::Utf8:
        return "UTF-8";
    case FileEncoding::Windows1250:
        return "Windows-1250";
    case FileEncoding::Utf16LittleEndian:
        return "UTF-16 LE";
    case FileEncoding::Utf16BigEndian:
        return "UTF-16 BE";
    }
    return {};
}

} // namespace orv52
