#include "backup.h"

#include "cli_platform.h"
#include "durable_folder.h"
#include "failure.h"
#include "messages/file_failure_text.h"
#include "protocol/configuration_file.h"
#include "protocol/record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <utility>

namespace orv52::cli {

namespace {

// Enough copies for any number of runs within one second; beyond it something else is wrong.
constexpr int kMostCopies = 100;

[[noreturn]] void backupFailed(const std::string& message) {
    throw Failure{ExitCode::OutputFailed, message};
}

void makeBackupFolder(const QString& directory) {
    if (!makeFolderDurably(directory))
        backupFailed(backupFolderNotCreatedText(directory.toStdString()));
}

// The time to the second and the receiver's firmware version, e.g.
// "2026-12-08_09-20-15_wersja-2.3.txt"; from the second backup of the same name on, "-2", "-3"
// and so on before the extension.
QString backupFileName(const QDateTime& when, std::uint8_t firmwareVersion, int copy) {
    QString name = when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) +
                   QStringLiteral("_wersja-") +
                   QString::fromStdString(versionText(firmwareVersion));
    if (copy > 1)
        name += QLatin1Char('-') + QString::number(copy);
    return name + QStringLiteral(".txt");
}

} // namespace

QString defaultBackupDirectory() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("kopie"));
}

void prepareBackupDirectory(const QString& directory) {
    makeBackupFolder(directory);
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral("proba-XXXXXX")));
    if (!probe.open())
        backupFailed(backupFolderNotWritableText(directory.toStdString(),
                                                 probe.errorString().toStdString()));
}

std::string writeBackup(const QString& directory, const Configuration& held,
                        const QDateTime& when) {
    const QDir dir(directory);
    makeBackupFolder(directory);
    const std::string text = writeConfigurationFile(held);
    QFile file;
    for (int copy = 1; copy <= kMostCopies && !file.isOpen(); ++copy) {
        file.setFileName(dir.filePath(backupFileName(when, held.firmwareVersion, copy)));
        // NewOnly fails on a name that exists, so an earlier backup is never overwritten.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text) &&
            !file.exists())
            break;
    }
    const auto fail = [&] {
        const std::string reason = file.errorString().toStdString();
        if (file.isOpen())
            file.remove();
        backupFailed(backupNotWrittenText(directory.toStdString(), reason));
    };
    if (!file.isOpen())
        fail();
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.flush() || !platform::syncToDisk(file.handle()))
        fail();
    file.close();
    // The file is on the disk; so must be its name in the folder.
    if (!platform::syncFolder(directory))
        backupFailed(backupFolderNotSyncedText(directory.toStdString()));
    return QDir::toNativeSeparators(file.fileName()).toStdString();
}

} // namespace orv52::cli
