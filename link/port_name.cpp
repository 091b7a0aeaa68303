#include "link/port_name.h"

namespace orv52 {

QString comPortDeviceName(int portNumber) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

} // namespace orv52
