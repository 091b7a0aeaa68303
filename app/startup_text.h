#pragma once

#include "program_platform.h"

#include <QMessageBox>
#include <QString>

namespace orv52 {

// What the window program says instead of opening (its help, its version, a usage error), shown
// where the operator will see it: where it was started from (a terminal or console, or a file or
// pipe), or else, when started from a desktop, in a message box titled "ORV-52 Prog" that waits to
// be closed. `argc` and `argv` are the program's, for the application a message box needs.
void showStartupText(int& argc, char* argv[], StartupStream stream, const QString& text,
                     QMessageBox::Icon icon);

} // namespace orv52
