#pragma once

#include <QRect>
#include <cmath>

namespace orv52 {

// Window geometry is kept in twips (1/1440 inch) so it can be checked against the layout drawn
// for the receivers' tools; 15 twips are one pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

inline int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline QRect toPixels(const TwipsRect& r) {
    return {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
            twipsToPixels(r.height)};
}

} // namespace orv52
