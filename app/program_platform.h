#pragma once

#include <QtGlobal>
#include <string>
#include <vector>

// Where the two programs' start differs between Windows and Linux (or another Unix system): the
// rest of app/ holds no platform code of its own.
namespace orv52 {

// The program's arguments in UTF-8, its own name first. On Windows argv holds them in the ANSI
// code page, which has no room for many Polish letters ("Łódź" arrives garbled under code page
// 1252), so there they are split again from the Unicode command line, the way Windows splits it.
// Elsewhere they are argv's bytes as they are.
std::vector<std::string> programArguments(int argc, char* argv[]);

// A reader that went away is a write that failed, told and given its exit code, not a silent end
// of the program: the signal that would end it is ignored where there is one.
void ignoreBrokenPipes();

// The window program's standard output (its help and version) and error (a usage error).
enum class StartupStream { Output, Error };

// Writes `text` where the program was started from, if that is somewhere the operator will see:
// a terminal or, on Windows, the console it was started from, or a file or pipe the stream was
// pointed at. False, with nothing written, when there is none: started from a desktop, whose
// streams go to a log or nowhere.
bool writeWhereStarted(StartupStream stream, const std::string& text);

// Where orv52-cli keeps its backups by default, as the user finds the folder.
#ifdef Q_OS_WIN
inline constexpr char kExampleBackupFolder[] = "%APPDATA%\\orv52-cli\\kopie";
#else
inline constexpr char kExampleBackupFolder[] = "~/.local/share/orv52-cli/kopie";
#endif

} // namespace orv52
