#pragma once

#include "receiver_result.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <ostream>
#include <string>
#include <string_view>

namespace orv52::cli {

// One JSON object on one line, ending in a line feed, for one command ("read", "program",
// "verify") or one receiver of a "series": the time in ISO 8601 with its offset from UTC, the port
// as the user named it ("port") and the device it reached ("device", when one was resolved), the
// result both as a word and as the exit code a command would end with, and what else the command
// learnt of the receiver.
QByteArray logLine(const QDateTime& time, std::string_view command, const ReceiverResult& receiver);

// A log that a person or a script can read: one line per entry, appended, and each line pushed
// to the disk before the next step so that a cut in power loses nothing already reported.
class JsonLog {
public:
    // A line that cannot be written is told on `warnings`, once.
    explicit JsonLog(std::ostream& warnings) : warnings_(warnings) {}

    // Opens `path` for appending, creating it when missing. Throws Failure (OutputFailed) when it
    // cannot.
    void open(const std::string& path);
    // Does nothing when no log is open.
    void append(const QDateTime& time, std::string_view command, const ReceiverResult& receiver);
    // A line could not be written.
    bool failed() const { return failed_; }

private:
    std::ostream& warnings_;
    QFile file_;
    bool toDisk_ = true; // a regular file, synced line by line
    bool failed_ = false;
};

} // namespace orv52::cli
