#pragma once

#include <string>
#include <string_view>

namespace orv52 {

// What orv52-cli tells when a file it reads or writes fails it; `reason` is the system's own.

// Output that went nowhere: `what` completes "nie można zapisać …", as the two below do.
std::string notWrittenText(std::string_view what);
inline constexpr std::string_view kStandardOutput = "na standardowe wyjście";
inline constexpr std::string_view kSeriesLineOutput = "wiersza wyniku na standardowe wyjście";

// The configuration file given to program or verify.
std::string inputFileNotOpenedText(const std::string& name, const std::string& reason);
std::string inputFileTooLargeText(const std::string& name);

// The file --output names.
std::string outputFileNotWrittenText(const std::string& path, const std::string& reason);

// The log --log names.
std::string logNotOpenedText(const std::string& path, const std::string& reason);
std::string logFolderNotCreatedText(const std::string& path, const std::string& folder);
std::string logNotAppendedText(const std::string& path, const std::string& reason);

// The backup before a programming, and its folder.
std::string backupFolderNotCreatedText(const std::string& folder);
std::string backupFolderNotWritableText(const std::string& folder, const std::string& reason);
std::string backupNotWrittenText(const std::string& folder, const std::string& reason);
std::string backupFolderNotSyncedText(const std::string& folder);

} // namespace orv52
