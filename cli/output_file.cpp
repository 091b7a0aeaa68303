#include "output_file.h"

#include "messages/file_failure_text.h"
#include "receiver_exchanges.h"

#include <QFileInfo>
#include <QSaveFile>

namespace orv52::cli {

namespace {

// Text: a file written on Windows gets CR LF, as the same text on standard output does.
constexpr QIODevice::OpenMode kTextForWriting = QIODevice::WriteOnly | QIODevice::Text;

bool writeWhole(QFileDevice& file, const std::string& text) {
    return file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size()) &&
           file.flush();
}

} // namespace

void saveOutputFile(const std::string& path, const std::string& text) {
    const QString name = QString::fromStdString(path);
    const QFileInfo target(name); // follows a symbolic link to what it names
    QString reason;
    if (target.exists() && !target.isFile()) {
        // Renaming a new file over a device or a FIFO would replace the node itself.
        QFile file(name);
        if (file.open(kTextForWriting) && writeWhole(file, text))
            return;
        reason = file.errorString();
    } else {
        QSaveFile file(name);
        if (file.open(kTextForWriting) && writeWhole(file, text) && file.commit())
            return;
        reason = file.errorString();
    }
    throw Failure{ExitCode::OutputFailed, outputFileNotWrittenText(path, reason.toStdString())};
}

} // namespace orv52::cli
