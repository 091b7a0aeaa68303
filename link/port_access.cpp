#include "link/port_access.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orv52 {

PortAccessDenied::PortAccessDenied(const QString& device, const QString& group)
    : NumberedError(
          error_number::PortAccessDenied,
          QStringLiteral("%1: access denied (group %2)").arg(device, group).toStdString()),
      device_(device), group_(group) {}

std::optional<QString> accessDeniedGroup(const QString& device) {
#ifdef Q_OS_UNIX
    const QByteArray path = device.toLocal8Bit();
    // The effective user and groups are the ones open() is judged by.
    if (faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0 || errno != EACCES)
        return std::nullopt;
    struct stat status {};
    if (stat(path.constData(), &status) != 0)
        return std::nullopt;
    if (const group* owner = getgrgid(status.st_gid))
        return QString::fromLocal8Bit(owner->gr_name);
    return QString::number(status.st_gid);
#else
    Q_UNUSED(device);
    return std::nullopt;
#endif
}

} // namespace orv52
