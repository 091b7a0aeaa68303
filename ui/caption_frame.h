#pragma once

#include <QGroupBox>

namespace orv52 {

// A frame with a caption that draws its own border in the palette's colours. The Fusion style
// draws a group box's border from an image, and decoding it at the window's first paint loads
// the image format plugins: time and memory for a few grey lines.
class CaptionFrame : public QGroupBox {
public:
    CaptionFrame(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawBorder(QPainter& painter, const QStyleOptionGroupBox& option) const;
};

} // namespace orv52
