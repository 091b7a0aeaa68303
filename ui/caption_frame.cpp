#include "caption_frame.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace orv52 {

namespace {

// Below the caption, where the style's own border runs: one line or one option indicator,
// whichever is taller, and a small gap.
constexpr int kCaptionGap = 4;

// Shades of the window colour: the border line, the line just inside it and the inner surface.
constexpr int kLineDarker = 111;
constexpr int kShadeDarker = 103;
constexpr int kSurfaceDarker = 101;

} // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void CaptionFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    drawBorder(painter, option);
    // The style still draws the caption, with its own font, colour and mnemonic handling.
    option.subControls &= ~QStyle::SC_GroupBoxFrame;
    style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
}

void CaptionFrame::drawBorder(QPainter& painter, const QStyleOptionGroupBox& option) const {
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, this);
    const int top = std::max(indicator, option.fontMetrics.height()) + kCaptionGap;
    const QRect border = rect().adjusted(1, top, 0, 0);
    if (border.width() < 3 || border.height() < 3)
        return;
    const QColor window = option.palette.color(QPalette::Window);
    painter.fillRect(border.adjusted(1, 1, -1, -1), window.darker(kShadeDarker));
    painter.fillRect(border.adjusted(2, 2, -2, -2), window.darker(kSurfaceDarker));
    // The line leaves out the four corner pixels, which rounds the corners a little.
    const QColor line = window.darker(kLineDarker);
    const int width = border.width() - 2;
    const int height = border.height() - 2;
    painter.fillRect(border.left() + 1, border.top(), width, 1, line);
    painter.fillRect(border.left() + 1, border.bottom(), width, 1, line);
    painter.fillRect(border.left(), border.top() + 1, 1, height, line);
    painter.fillRect(border.right(), border.top() + 1, 1, height, line);
}

} // namespace orv52
