#include "font_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace orv52 {

namespace {

constexpr double kStep = 0.5;
constexpr int kButtonPadding = 8;      // bevel and focus frame
constexpr int kFrameTitlePadding = 16; // the frame's line around its title
constexpr int kListArrowWidth = 32;

int textWidth(const QWidget* widget, const QString& text) {
    return widget->fontMetrics().horizontalAdvance(text);
}

bool captionFits(const QWidget* widget) {
    const int width = widget->width();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->wordWrap() || textWidth(label, label->text()) <= width;
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget))
        return widget->sizeHint().width() <= width;
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return textWidth(button, button->text()) + kButtonPadding <= width;
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return textWidth(frame, frame->title()) + kFrameTitlePadding <= width;
    if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
        for (int i = 0; i < list->count(); ++i)
            if (textWidth(list, list->itemText(i)) + kListArrowWidth > width)
                return false;
    }
    return true;
}

bool everyCaptionFits(const QWidget* window) {
    const auto children = window->findChildren<QWidget*>();
    return std::ranges::all_of(children, captionFits);
}

} // namespace

void fitFontToLayout(QWidget* window, double smallestPointSize) {
    QFont font = window->font();
    if (font.pointSizeF() <= 0)
        return; // a pixel-sized font: leave the platform's choice alone
    while (!everyCaptionFits(window) && font.pointSizeF() - kStep >= smallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - kStep);
        window->setFont(font);
    }
}

} // namespace orv52
