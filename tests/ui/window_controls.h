#pragma once

#include <QString>
#include <QWidget>

// Finds a control of a window by its name, such as "AdresL_Check(0)"; a missing control ends the
// test run at once, since every check after it would be meaningless.
template <typename Control> Control* control(const QWidget& window, const QString& name) {
    auto* found = window.findChild<Control*>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

inline QString indexed(const char* arrayName, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(arrayName)).arg(index);
}

// Both exchange buttons and the four port options are enabled: no exchange runs.
inline bool exchangeControlsEnabled(const QWidget& window) {
    bool enabled = control<QWidget>(window, "Przeslij_Command")->isEnabled() &&
                   control<QWidget>(window, "Odbierz_Command")->isEnabled();
    for (int i = 1; i <= 4; ++i)
        enabled = enabled && control<QWidget>(window, indexed("Port_Option", i))->isEnabled();
    return enabled;
}
