#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orv52 {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

enum class FileEncoding { Utf8, Windows1250, Utf16LittleEndian, Utf16BigEndian };

// A text file as an operator's editor saved it, made UTF-8 for the program to read. A file that
// starts with a byte-order mark has declared its encoding: UTF-8, or UTF-16 in either byte order
// (Notepad's "Unicode" and "Unicode big endian"), and is read in it alone. A file without one is
// taken as it is when it is valid UTF-8; any other is Windows-1250 as a whole, which is what a
// Polish Windows editor saves as "ANSI": the choice is made once for the file, never line by
// line. A file with NUL bytes and no mark is refused as UTF-16 saved without its mark.
struct DecodedFile {
    std::string utf8;                           // the text; empty when the file is refused
    std::optional<std::size_t> badByte;         // the offset of the first byte that is no character
    bool unmarkedUtf16 = false;                 // refused for NUL bytes without a byte-order mark
    FileEncoding encoding = FileEncoding::Utf8; // as read, or the likely one when refused
    std::string readBefore;                     // on a refused byte: the text before it, as UTF-8
};

DecodedFile decodeOperatorFile(std::string_view bytes);

// The encoding as an editor's "save as" names it: "UTF-16 LE".
std::string_view encodingName(FileEncoding encoding);

} // namespace orv52
