#pragma once

#include "twips.h"

// The About window's geometry in twips, from the top left corner of its client area.
namespace orv52::about_layout {

inline constexpr int kClientWidth = 4485;
inline constexpr int kClientHeight = 3330;

inline constexpr TwipsRect lblTitle{120, 120, 3885, 240};
inline constexpr TwipsRect lblVersion{120, 480, 3885, 225};
inline constexpr TwipsRect lblDescription{120, 840, 3885, 1170};
inline constexpr TwipsRect lblCompany{120, 2280, 2655, 465};
inline constexpr TwipsRect cmdOK{3120, 2880, 1260, 345};
inline constexpr TwipsRect lblDisclaimer{120, 3000, 2775, 225};

// The separator: a grey line from x 90 and a white one from x 105, both to x 4080 at y 2160;
// the white one is drawn over the grey one.
inline constexpr int kLineY = 2160;
inline constexpr int kGreyLineX1 = 90;
inline constexpr int kWhiteLineX1 = 105;
inline constexpr int kLineX2 = 4080;

} // namespace orv52::about_layout
