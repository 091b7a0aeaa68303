#include "file_failure_text.h"

namespace orv52 {

namespace {

// „name”, as every file and folder is named in a message.
std::string quoted(const std::string& name) {
    return "„" + name + "”";
}

} // namespace

std::string notWrittenText(std::string_view what) {
    return "nie można zapisać " + std::string(what);
}

std::string inputFileNotOpenedText(const std::string& name, const std::string& reason) {
    return "nie można otworzyć pliku " + quoted(name) + ": " + reason;
}

std::string inputFileTooLargeText(const std::string& name) {
    return "plik " + quoted(name) + " jest za duży na plik konfiguracji";
}

std::string outputFileNotWrittenText(const std::string& path, const std::string& reason) {
    return "nie można zapisać pliku " + quoted(path) + ": " + reason;
}

std::string logNotOpenedText(const std::string& path, const std::string& reason) {
    return "nie można otworzyć dziennika " + quoted(path) + ": " + reason;
}

std::string logFolderNotCreatedText(const std::string& path, const std::string& folder) {
    return "nie można otworzyć dziennika " + quoted(path) + ": nie można utworzyć katalogu " +
           quoted(folder);
}

std::string logNotAppendedText(const std::string& path, const std::string& reason) {
    return "nie można dopisać do dziennika " + quoted(path) + ": " + reason;
}

std::string backupFolderNotCreatedText(const std::string& folder) {
    return "nie można utworzyć katalogu kopii " + quoted(folder);
}

std::string backupFolderNotWritableText(const std::string& folder, const std::string& reason) {
    return "nie można zapisać pliku w katalogu kopii " + quoted(folder) + ": " + reason;
}

std::string backupNotWrittenText(const std::string& folder, const std::string& reason) {
    return "nie można zapisać kopii w katalogu " + quoted(folder) + ": " + reason;
}

std::string backupFolderNotSyncedText(const std::string& folder) {
    return "nie można zapisać na dysku katalogu kopii " + quoted(folder);
}

} // namespace orv52
