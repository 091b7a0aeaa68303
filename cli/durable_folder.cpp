#include "durable_folder.h"

#include "cli_platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace orv52::cli {

bool makeFolderDurably(const QString& folder) {
    QStringList missing; // from the top down
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo::exists(path)) {
        missing.prepend(path);
        const QString parent = QFileInfo(path).path();
        if (parent == path) // a root that is not there, such as a drive letter without a drive
            return false;
        path = parent;
    }
    for (const QString& path : missing)
        if (!QDir().mkdir(path) || !platform::syncFolder(QFileInfo(path).path()))
            return false;
    return QFileInfo(folder).isDir();
}

} // namespace orv52::cli
