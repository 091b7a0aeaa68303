#include "font_fit.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace orv52 {

namespace {

constexpr double kStep = 0.5;
constexpr int kButtonPadding = 8;      // bevel and focus frame
constexpr int kFrameTitlePadding = 16; // the frame's line around its title
constexpr int kListArrowWidth = 32;

// Check boxes and option buttons size themselves as the style says: indicator, spacing, text.
int indicatorButtonWidth(const Caption& caption, const QFontMetrics& metrics, const QStyle& style) {
    QStyleOptionButton option;
    option.text = caption.text;
    option.fontMetrics = metrics;
    const QSize text =
        style.itemTextRect(metrics, QRect(), Qt::TextShowMnemonic, false, caption.text).size();
    const auto type =
        caption.kind == CaptionKind::CheckBox ? QStyle::CT_CheckBox : QStyle::CT_RadioButton;
    return style.sizeFromContents(type, &option, text).width();
}

int neededWidth(const Caption& caption, const QFontMetrics& metrics, const QStyle& style) {
    if (caption.kind == CaptionKind::CheckBox || caption.kind == CaptionKind::OptionButton)
        return indicatorButtonWidth(caption, metrics, style);
    const int text = metrics.horizontalAdvance(caption.text);
    switch (caption.kind) {
    case CaptionKind::PushButton:
        return text + kButtonPadding;
    case CaptionKind::Frame:
        return text + kFrameTitlePadding;
    case CaptionKind::ListItem:
        return text + kListArrowWidth;
    default:
        return text;
    }
}

bool everyCaptionFits(const QFont& font, std::span<const Caption> captions, const QStyle& style) {
    const QFontMetrics metrics(font);
    return std::ranges::all_of(captions, [&](const Caption& caption) {
        return neededWidth(caption, metrics, style) <= caption.controlWidth;
    });
}

} // namespace

QFont fittedFont(QFont font, std::span<const Caption> captions, const QStyle& style,
                 double smallestPointSize) {
    if (font.pointSizeF() <= 0)
        return font; // a pixel-sized font: leave the platform's choice alone
    while (!everyCaptionFits(font, captions, style) &&
           font.pointSizeF() - kStep >= smallestPointSize)
        font.setPointSizeF(font.pointSizeF() - kStep);
    return font;
}

} // namespace orv52
