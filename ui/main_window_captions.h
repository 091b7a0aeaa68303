#pragma once

#include "font_fit.h"

#include <vector>

namespace orv52 {

// Every caption on the main window with the width of its control, from the same texts and
// layout the window is built from.
std::vector<Caption> mainWindowCaptions();

} // namespace orv52
