#pragma once

#include "control_table.h"

#include <vector>

namespace orv52 {

// Every control on the main window, once: the window makes its controls from these rows, and
// its font is fitted to their captions before any control exists.
std::vector<ControlRow> mainWindowControls();

// The object name of element `index` of a control array, such as "AdresL_Check(0)".
QString indexedName(const char* arrayName, int index);

} // namespace orv52
