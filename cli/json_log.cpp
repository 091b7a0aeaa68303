#include "json_log.h"

#include "cli_platform.h"
#include "durable_folder.h"
#include "failure.h"
#include "messages/command_line_text.h"
#include "messages/file_failure_text.h"
#include "protocol/record.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>

namespace orv52::cli {

namespace {

// "2026-12-08T10:20:15+01:00": the local time with its offset written out, "+00:00" included.
QString timeWithOffset(const QDateTime& time) {
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QByteArray logLine(const QDateTime& time, std::string_view command,
                   const ReceiverResult& receiver) {
    QJsonObject object{
        {QStringLiteral("time"), timeWithOffset(time)},
        {QStringLiteral("port"), QString::fromStdString(receiver.port)},
        {QStringLiteral("command"),
         QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size()))},
        {QStringLiteral("result"), QString::fromUtf8(exitCodeName(receiver.result))},
        {QStringLiteral("exit_code"), static_cast<int>(receiver.result)},
    };
    if (!receiver.device.empty())
        object.insert(QStringLiteral("device"), QString::fromStdString(receiver.device));
    const ReceiverFacts& facts = receiver.facts;
    if (facts.firmwareVersion)
        object.insert(QStringLiteral("firmware_version"),
                      QString::fromStdString(versionText(*facts.firmwareVersion)));
    QJsonArray keys;
    for (const std::string& key : facts.differingKeys)
        keys.append(QString::fromStdString(key));
    object.insert(QStringLiteral("differing_keys"), keys);
    if (receiver.answer)
        object.insert(QStringLiteral("finding"),
                      QString::fromUtf8(findingKey(receiver.answer->finding)));
    if (!facts.backupPath.empty())
        object.insert(QStringLiteral("backup"), QString::fromStdString(facts.backupPath));
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

void JsonLog::open(const std::string& path) {
    file_.setFileName(QString::fromStdString(path));
    // A device or a FIFO is written through as it is: it cannot be appended to by seeking to its
    // end, nor pushed to a disk.
    const QFileInfo target(file_.fileName());
    toDisk_ = !target.exists() || target.isFile();
    // A log's folder is made as a backup's is, so that a log in the program's data folder works
    // on a PC where no backup has made that folder yet.
    if (!target.exists() && !makeFolderDurably(target.absolutePath()))
        throw Failure{ExitCode::OutputFailed,
                      logFolderNotCreatedText(path, target.absolutePath().toStdString())};
    if (file_.open(toDisk_ ? QIODevice::WriteOnly | QIODevice::Append : QIODevice::WriteOnly))
        return;
    throw Failure{ExitCode::OutputFailed,
                  logNotOpenedText(path, file_.errorString().toStdString())};
}

void JsonLog::append(const QDateTime& time, std::string_view command,
                     const ReceiverResult& receiver) {
    if (!file_.isOpen())
        return;
    const QByteArray line = logLine(time, command, receiver);
    if (file_.write(line) == line.size() && file_.flush() &&
        (!toDisk_ || platform::syncToDisk(file_.handle())))
        return;
    if (failed_)
        return;
    failed_ = true;
    warnings_ << kCliPrefix
              << logNotAppendedText(file_.fileName().toStdString(),
                                    file_.errorString().toStdString())
              << std::endl;
}

} // namespace orv52::cli
