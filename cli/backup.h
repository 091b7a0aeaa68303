#pragma once

#include "protocol/configuration.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <string>

namespace orv52::cli {

// Where backups go unless the user names a folder: "kopie" in the program's data folder.
QString defaultBackupDirectory();

// Creates `directory` when missing and checks that a file can be written in it, so that a
// programming can be refused before anything is sent. Throws Failure (OutputFailed) when it
// cannot.
void prepareBackupDirectory(const QString& directory);

// Writes what a receiver held as a configuration file into `directory`, which is created when
// missing, named by the time to the second and the firmware version
// ("2026-12-08_09-20-15_wersja-2.3.txt"), and on the disk itself before this returns, so that a cut
// power during the programming that follows cannot take it. Never overwrites an earlier backup: a
// name already taken gets the next copy number.
// Returns the file's path; throws Failure (OutputFailed) when nothing was written.
std::string writeBackup(const QString& directory, const Configuration& held, const QDateTime& when);

} // namespace orv52::cli
