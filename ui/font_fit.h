#pragma once

class QWidget;

namespace orv52 {

// The windows keep their geometry in twips, drawn for a small classic UI font; most desktops'
// default fonts are wider. This keeps the default font's family and lowers its size, in half
// points and never below `smallestPointSize`, until every caption fits its control.
void fitFontToLayout(QWidget* window, double smallestPointSize = 7.0);

} // namespace orv52
