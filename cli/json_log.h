#pragma once

#include "exit_code.h"
#include "protocol/answer_finding.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orv52::cli {

// What the log keeps of one command, or of one receiver of a series.
struct LogEntry {
    QDateTime time;
    std::string device;  // the port as the user named it
    std::string command; // "read", "program", "verify" or "series"
    ExitCode result = ExitCode::Done;
    std::optional<std::uint8_t> firmwareVersion; // when the receiver answered a read
    std::vector<std::string> differingKeys;      // keys whose values differ from the file
    std::string backupPath;                      // empty when no backup was written
    std::optional<Finding> finding;              // what came back in the last exchange
};

// One JSON object on one line, ending in a line feed: the time in ISO 8601 with its offset from
// UTC, the result both as a word and as the exit code a command would end with.
QByteArray logLine(const LogEntry& entry);

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
    void append(const LogEntry& entry);
    // A line could not be written.
    bool failed() const { return failed_; }

private:
    std::ostream& warnings_;
    QFile file_;
    bool toDisk_ = true; // a regular file, synced line by line
    bool failed_ = false;
};

} // namespace orv52::cli
