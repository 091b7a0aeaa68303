#include "text_value.h"

#include "numbered_error.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orv52 {

namespace {

constexpr std::string_view kBlanks = " \t\n";

bool isBlank(char c) {
    return kBlanks.find(c) != std::string_view::npos;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Keeps a parsed exponent far beyond any double's range, yet small enough to add text lengths to.
constexpr long long kExponentLimit = 1'000'000'000'000LL;
// Decimal magnitudes beyond these are infinite or zero for a double.
constexpr long long kLargestMagnitude = 400;
constexpr long long kSmallestMagnitude = -400;

// A decimal number given as its significant digits D (no leading zeros) and an exponent E,
// meaning D × 10^E.
double decimalValue(const std::string& digits, long long exponent) {
    if (digits.empty()) {
        return 0.0;
    }
    const long long magnitude = static_cast<long long>(digits.size()) + exponent;
    const double infinity = std::numeric_limits<double>::infinity();
    if (magnitude > kLargestMagnitude) {
        return infinity;
    }
    if (magnitude < kSmallestMagnitude) {
        return 0.0;
    }
    const std::string text = digits + "e" + std::to_string(exponent);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return magnitude > 0 ? infinity : 0.0;
    }
    return value;
}

struct Reading {
    double value = 0.0;
    bool found = false;  // at least one digit was read
    std::size_t end = 0; // just past the number's last character
};

// Reads the number a text begins with; blanks are skipped wherever they stand.
class NumberReader {
public:
    explicit NumberReader(std::string_view text) : text_(text) {}

    Reading read() {
        if (peek() == '&') {
            ++pos_;
            const char prefix = peek();
            if (prefix == 'H' || prefix == 'h') {
                ++pos_;
                return readRadix(16);
            }
            if (prefix == 'O' || prefix == 'o') {
                ++pos_;
                return readRadix(8);
            }
            return {};
        }
        return readDecimal();
    }

private:
    // The next character that is not a blank, or '\0' at the end; it is not consumed.
    char peek() {
        while (pos_ < text_.size() && isBlank(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    Reading readRadix(int radix) {
        Reading reading;
        for (int digit = digitValue(peek()); digit >= 0 && digit < radix;
             digit = digitValue(peek())) {
            reading.value = reading.value * radix + digit;
            reading.found = true;
            reading.end = ++pos_;
        }
        return reading;
    }

    Reading readDecimal() {
        Reading reading;
        bool negative = false;
        if (peek() == '+' || peek() == '-') {
            negative = text_[pos_] == '-';
            ++pos_;
        }
        std::string digits;
        long long exponent = 0;
        while (isDigit(peek())) {
            takeDigit(digits);
            reading.found = true;
            reading.end = pos_;
        }
        if (peek() == '.') {
            ++pos_;
            if (reading.found) {
                reading.end = pos_;
            }
            while (isDigit(peek())) {
                takeDigit(digits);
                --exponent;
                reading.found = true;
                reading.end = pos_;
            }
        }
        if (!reading.found) {
            return {};
        }
        exponent += readExponent(reading.end);
        const double value = decimalValue(digits, exponent);
        reading.value = negative ? -value : value;
        return reading;
    }

    // Appends a significant digit; leading zeros carry no information.
    void takeDigit(std::string& digits) {
        const char c = text_[pos_++];
        if (!digits.empty() || c != '0') {
            digits.push_back(c);
        }
    }

    // An E and its sign belong to the number only when a digit follows them.
    long long readExponent(std::size_t& end) {
        if (peek() != 'E' && peek() != 'e') {
            return 0;
        }
        const std::size_t start = pos_++;
        bool negative = false;
        if (peek() == '+' || peek() == '-') {
            negative = text_[pos_] == '-';
            ++pos_;
        }
        if (!isDigit(peek())) {
            pos_ = start;
            return 0;
        }
        long long exponent = 0;
        while (isDigit(peek())) {
            if (exponent < kExponentLimit) {
                exponent = exponent * 10 + (text_[pos_] - '0');
            }
            end = ++pos_;
        }
        return negative ? -exponent : exponent;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

double textValue(std::string_view text) {
    return NumberReader(text).read().value;
}

double roundHalfToEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5 || std::fmod(below, 2.0) != 0.0) {
        return below + 1.0;
    }
    return below;
}

std::uint8_t textToByte(std::string_view text) {
    const double value = roundHalfToEven(textValue(text));
    // Written so that NaN, which fails every comparison, is out of range too.
    if (!(value >= 0.0 && value <= 255.0)) { // NOLINT(readability-simplify-boolean-expr)
        throw NumberedError(error_number::Overflow, "Overflow");
    }
    return static_cast<std::uint8_t>(value);
}

std::optional<std::string> normalForm(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view number = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (number.find_first_of(kBlanks) != std::string_view::npos) {
        return std::nullopt;
    }
    const Reading reading = NumberReader(number).read();
    const double value = roundHalfToEven(reading.value);
    if (!reading.found || reading.end != number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0.0) {
        return "0";
    }
    // Room for every digit of the largest double, its sign and more.
    char buffer[std::numeric_limits<double>::max_exponent10 + 8];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

} // namespace orv52
