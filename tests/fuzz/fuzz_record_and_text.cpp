// Feeds one input to the record rules and to the reading of field texts: its first 21 bytes
// (zero-padded) are a received record, its bytes are version and one-bit bytes, and the whole
// input is a field's text. Each result is checked against a rule stated independently of the
// code that computes it.

#include "protocol/numbered_error.h"
#include "protocol/range_check.h"
#include "protocol/record.h"
#include "protocol/text_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

unsigned byteSum(const orv52::Record& record) {
    return std::accumulate(record.begin(), record.end(), 0u) % 256;
}

void checkRecord(const orv52::Record& received) {
    require(orv52::isRecordValid(received) == (byteSum(received) == 0));

    // The same fields in a programming frame: header, zeros where the frame has them, checksum.
    orv52::Record frame = received;
    std::copy_n("PRG", 3, frame.begin());
    frame[3] = 0;
    std::fill(frame.begin() + 14, frame.begin() + 20, 0);
    frame[orv52::offset::Checksum] = orv52::frameChecksum(frame);
    require(byteSum(frame) == 0);
    require(orv52::isRecordValid(frame));
}

// Reads a whole decimal number without a leading zero, as a version part must be written.
bool readVersionPart(std::string_view text, unsigned& value) {
    if (text.empty() || (text.size() > 1 && text[0] == '0')) {
        return false;
    }
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

void checkByte(std::uint8_t value) {
    const std::string version = orv52::versionText(value);
    const auto point = version.find('.');
    require(point != std::string::npos);
    unsigned major = 0;
    unsigned minor = 0;
    require(readVersionPart(std::string_view(version).substr(0, point), major));
    require(readVersionPart(std::string_view(version).substr(point + 1), minor));
    require(major == value / 16u && minor == value % 16u);

    const auto position = orv52::byteToListPosition(value);
    if (value == 0) {
        require(!position);
    } else {
        // log2 of a byte is below 8, so 8 is reached by rounding from 182 upwards.
        require(position && *position >= 0 && *position <= 8);
        require(*position == std::lround(std::log2(value)));
    }

    const int listPosition = value % 10 - 1;
    const std::uint8_t oneBit = orv52::listPositionToByte(listPosition);
    if (listPosition >= 0 && listPosition <= 7) {
        require(oneBit == 1u << listPosition);
        require(orv52::byteToListPosition(oneBit) == listPosition);
    } else {
        require(oneBit == 0);
    }
}

bool isNormalForm(std::string_view text) {
    if (text == "0") {
        return true;
    }
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    return !text.empty() && text[0] != '0' &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What a field would send, or nothing on an overflow, which must be one exactly when the rounded
// value is out of the byte's range.
std::optional<int> sentByte(std::string_view text) {
    const double rounded = std::nearbyint(orv52::textValue(text));
    try {
        const int byte = orv52::textToByte(text);
        require(rounded == byte);
        return byte;
    } catch (const orv52::NumberedError& error) {
        require(error.number() == orv52::error_number::Overflow);
        require(!(rounded >= 0 && rounded <= 255));
        return std::nullopt;
    }
}

void checkText(std::string_view text) {
    const double value = orv52::textValue(text);
    require(!std::isnan(value));
    // The default rounding mode rounds a half to the even neighbour.
    const double rounded = std::nearbyint(value);
    require(orv52::roundHalfToEven(value) == rounded);

    // Blanks are ignored wherever they stand, and reading stops at a character that cannot
    // continue a number.
    std::string spaced(text);
    spaced.insert(spaced.size() / 2, 1, ' ');
    require(orv52::textValue(spaced) == value);
    require(orv52::textValue(std::string(text) + "x") == value);

    sentByte(text);

    const auto normal = orv52::normalForm(text);
    if (normal) {
        require(std::isfinite(value));
        require(isNormalForm(*normal));
        require(orv52::textValue(*normal) == rounded);
        require(orv52::normalForm(*normal) == normal);
    }

    for (const int lowest : {0, 1}) {
        const orv52::RangeCheckResult check = orv52::checkRange(text, lowest);
        if (text.empty()) {
            require(!check.rejected && check.newText == std::to_string(lowest));
            continue;
        }
        require(check.rejected == !(value >= lowest && value <= 255));
        require(check.newText == normal);
        if (!check.rejected) {
            // An accepted text, and the text it is rewritten to, send the same byte.
            const auto byte = sentByte(text);
            require(byte && *byte >= lowest);
            if (check.newText) {
                require(!orv52::checkRange(*check.newText, lowest).rejected);
                require(sentByte(*check.newText) == byte);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orv52::Record record{};
    std::copy_n(data, std::min(size, record.size()), record.begin());
    checkRecord(record);
    for (const std::uint8_t value : record) {
        checkByte(value);
    }
    checkText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
