#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv52 {

// The number a field's text begins with. Blanks, tabs and line feeds are ignored wherever they
// stand; a decimal number (sign, digits, fraction after a point, exponent after E or e) is read
// up to the first character that cannot continue it; &H and &O introduce hexadecimal and octal.
// The point is the decimal separator whatever the locale. A text that does not begin with a
// number has the value 0. Never fails. The text is UTF-8.
double textValue(std::string_view text);

// Rounds a half to the even neighbour: 2.5 gives 2, 3.5 gives 4.
double roundHalfToEven(double value);

// The record byte for a field's text: its value rounded half to even. A result outside 0..255
// throws NumberedError with error_number::Overflow.
std::uint8_t textToByte(std::string_view text);

// A text that as a whole reads as a number (blanks around it allowed) written as a plain whole
// number: "007" gives "7", " 12" gives "12", "-05" gives "-5". Any other text gives nothing.
std::optional<std::string> normalForm(std::string_view text);

} // namespace orv52
