#include "link/port_name.h"

namespace orv52 {

QString linuxComPortDevice(int portNumber) {
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
}

QString windowsComPortDevice(int portNumber) {
    return QStringLiteral("COM%1").arg(portNumber);
}

std::optional<int> comPortNumber(QStringView name) {
    constexpr qsizetype kMostDigits = 4; // Windows numbers its ports up to 256
    if (!name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return std::nullopt;
    const QStringView digits = name.mid(3);
    if (digits.isEmpty() || digits.size() > kMostDigits || digits.front() == u'0')
        return std::nullopt;
    int number = 0;
    for (const QChar digit : digits) {
        if (digit < u'0' || digit > u'9')
            return std::nullopt;
        number = number * 10 + digit.digitValue();
    }
    return number;
}

} // namespace orv52
