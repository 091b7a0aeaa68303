#pragma once

#include "link/com_port_pin.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace orv52 {

// What the window program was started with: pins of COM numbers, or a request for its help or
// version. Read before any window exists, so that a bad command line never opens one.
struct WindowCommandLine {
    std::optional<ComPortPins> pins; // empty for --help, --version and a usage error
    bool help = false;
    bool version = false;
    QString error; // Polish, set for a usage error
};

// The whole argument list, the program's name first.
WindowCommandLine parseWindowCommandLine(const QStringList& arguments);

// The --help text, in Polish.
QString windowUsageText();

} // namespace orv52
