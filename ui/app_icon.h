#pragma once

#include <QIcon>

namespace orv52 {

// The 16x16 icon of the program and its windows.
QIcon appIcon();

} // namespace orv52
