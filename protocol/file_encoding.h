#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orv52 {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A text file as an operator's editor saved it, made UTF-8 for the program to read. A file that
// is valid UTF-8 is taken as it is, without its byte-order mark if it has one. Any other file is
// Windows-1250 as a whole, which is what a Polish Windows editor saves as "ANSI": the choice is
// made once for the file, never line by line. A file that starts with the byte-order mark has
// declared itself UTF-8 and is never read as Windows-1250.
struct DecodedFile {
    std::string utf8;                   // the text; empty when a byte is neither
    std::optional<std::size_t> badByte; // the offset of the first byte that is neither
};

DecodedFile decodeOperatorFile(std::string_view bytes);

} // namespace orv52
