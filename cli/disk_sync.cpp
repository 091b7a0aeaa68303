#include "disk_sync.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orv52::cli {

bool syncToDisk(int descriptor) {
#ifdef _WIN32
    return _commit(descriptor) == 0;
#else
    return fsync(descriptor) == 0;
#endif
}

bool syncFolder(const QString& folder) {
#ifdef _WIN32
    Q_UNUSED(folder);
    return true;
#else
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0)
        return false;
    const bool synced = fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
#endif
}

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
        if (!QDir().mkdir(path) || !syncFolder(QFileInfo(path).path()))
            return false;
    return QFileInfo(folder).isDir();
}

} // namespace orv52::cli
