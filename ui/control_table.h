#pragma once

#include "font_fit.h"
#include "protocol/settings_description.h"
#include "twips.h"

#include <QString>
#include <QWidget>
#include <array>
#include <map>
#include <span>
#include <vector>

namespace orv52 {

enum class ControlKind { Frame, Label, CheckBox, OptionButton, PushButton, TextBox, List };

// One control of a window: what it is, its caption (a text box's start text), where it stands
// in twips, its object name, the name of the frame it stands in (empty: on the window) and what
// a screen reader calls it (empty: its caption). A list's items are those of its setting, which
// a list row must name.
struct ControlRow {
    ControlKind kind;
    QString text;
    TwipsRect rect;
    QString name;
    QString frame;
    QString accessibleName;
    const ListSetting* list = nullptr;
};

// The captions of the rows, each with its control's width, as fittedFont() measures them. A
// text box's text is the operator's and is not fitted.
std::vector<Caption> captionsOf(std::span<const ControlRow> rows);

// The object name of element `index` of a control array, such as "AdresL_Check(0)".
QString indexedName(const char* arrayName, int index);

// The controls a table made, by object name.
class MadeControls {
public:
    void add(QWidget* control) { byName_[control->objectName()] = control; }
    template <typename Control> Control* get(const QString& name) const {
        return qobject_cast<Control*>(byName_.at(name));
    }
    template <typename Control> void take(Control*& control, const char* name) const {
        control = get<Control>(QLatin1String(name));
    }
    // Element i of `controls` is the control named indexedName(name, first + i).
    template <typename Control, std::size_t N>
    void take(std::array<Control*, N>& controls, const char* name, int first) const {
        for (std::size_t i = 0; i < N; ++i)
            controls[i] = get<Control>(indexedName(name, first + int(i)));
    }

private:
    std::map<QString, QWidget*> byName_;
};

// Makes the rows' controls on `window`, in the rows' order, each placed and named; a frame's
// row comes before the rows of the controls in it. Lists are made empty.
MadeControls makeControls(QWidget& window, std::span<const ControlRow> rows);

} // namespace orv52
