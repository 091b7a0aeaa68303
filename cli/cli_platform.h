#pragma once

#include <QObject>
#include <QString>
#include <string_view>

// Where the command line differs between Windows and Linux (or another Unix system): the rest of
// cli/ asks here and holds no platform code of its own.
namespace orv52::cli::platform {

// Pushes what was written to an open file from the system's cache to the disk itself, so that it
// survives a cut power. False when the system could not.
bool syncToDisk(int descriptor);

// The same for a folder's entries, so that a file synced into it is also found after a cut power.
// Windows keeps no such cache of a folder apart; there this does nothing.
bool syncFolder(const QString& folder);

// Whether standard error goes to a terminal.
bool standardErrorIsTerminal();

enum class StandardStream { Output, Error };

// Whether `stream` is a Windows console, which shows bytes through its code page rather than as
// UTF-8. Never elsewhere, where a terminal takes UTF-8 as it is.
bool isConsole(StandardStream stream);

// Writes UTF-8 text made of whole characters to the console `stream` is, as UTF-16.
void writeToConsole(StandardStream stream, std::string_view text);

// From now on Ctrl-C and SIGTERM (on Windows the console's Ctrl-C and Ctrl-Break) no longer end
// the program: each calls `target`'s invokable method request() on the event loop of `target`'s
// thread. The signal's handler does no more than wake that loop. For one target at a time, until
// releaseStopSignals(); where the system refuses, the signals keep their usual meaning.
void catchStopSignals(QObject* target);
void releaseStopSignals();

} // namespace orv52::cli::platform
