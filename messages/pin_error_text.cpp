#include "pin_error_text.h"

#include "link/platform.h"

namespace orv52 {

QString comPortPinErrorText(const ComPortPinError& error) {
    switch (error.kind) {
    case ComPortPinError::Kind::NoSeparator:
        return QStringLiteral("„%1”: oczekiwano NUMER=URZĄDZENIE, np. 2=%2")
            .arg(error.value, QLatin1String(platform::kExampleDevice));
    case ComPortPinError::Kind::NumberOutOfRange:
        return QStringLiteral("„%1”: numer portu musi być od 1 do %2")
            .arg(error.value)
            .arg(kComPortCount);
    case ComPortPinError::Kind::NoDevice:
        return QStringLiteral("„%1”: brak ścieżki urządzenia").arg(error.value);
    case ComPortPinError::Kind::PinnedTwice:
        return QStringLiteral("COM %1 przypisany więcej niż raz").arg(error.number);
    }
    return {};
}

} // namespace orv52
