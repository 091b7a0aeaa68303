#include "link/port_access.h"

namespace orv52 {

PortAccessDenied::PortAccessDenied(const QString& device, const QString& group)
    : NumberedError(
          error_number::PortAccessDenied,
          QStringLiteral("%1: access denied (group %2)").arg(device, group).toStdString()),
      device_(device), group_(group) {}

} // namespace orv52
