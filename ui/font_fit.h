#pragma once

#include <QFont>
#include <QString>
#include <span>

class QStyle;

namespace orv52 {

// How a control sets its caption beside its other parts, which decides the room the text has.
enum class CaptionKind { Label, CheckBox, OptionButton, PushButton, Frame, ListItem };

struct Caption {
    CaptionKind kind;
    QString text;
    int controlWidth; // pixels
};

// The windows keep their geometry in twips, drawn for a small classic UI font; most desktops'
// default fonts are wider. Returns `font` lowered in half points, never below
// `smallestPointSize`, until every caption fits its control as `style` lays it out. It only
// measures: a window sets the result once, before it creates its controls, because changing the
// font of finished controls polishes them all again and makes the lists build their drop-downs.
QFont fittedFont(QFont font, std::span<const Caption> captions, const QStyle& style,
                 double smallestPointSize = 7.0);

} // namespace orv52
