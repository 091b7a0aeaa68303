#pragma once

#include "twips.h"

// The main window's geometry in twips: left, top, width, height, measured from the containing
// frame, or from the client area for a control placed on the window itself.
namespace orv52::main_layout {

inline constexpr int kClientWidth = 5625;
inline constexpr int kClientHeight = 5895;

// Left column: the fifteen team-number boxes in one column, 360 twips apart.
inline constexpr TwipsRect Adresowanie_Frame{100, 100, 1200, 5700};
constexpr TwipsRect AdresL_Check(int i) {
    return {120, 280 + 360 * i, 600, 255};
}
constexpr TwipsRect AdresH_Check(int i) {
    return {120, 3160 + 360 * i, 600, 255};
}

// Middle column: three frames with two numeric fields each, then the two lists.
inline constexpr TwipsRect DelaySetOnRelay_Frame{1450, 100, 2700, 1100};
inline constexpr TwipsRect DurationSetOnRelay_Frame{1440, 1300, 2700, 1100};
inline constexpr TwipsRect LightingTime_Frame{1440, 2500, 2700, 1100};
inline constexpr TwipsRect NumericField[2] = {{120, 280, 400, 285}, {120, 680, 400, 285}};
inline constexpr TwipsRect RelayLabel[2] = {{650, 325, 1200, 195}, {650, 725, 1200, 195}};
inline constexpr TwipsRect LightingTime_Label[2] = {{650, 325, 1110, 195}, {650, 725, 1020, 195}};
inline constexpr TwipsRect WyswietlPolecenie_Frame{1440, 3700, 2700, 1000};
inline constexpr TwipsRect TrybBuzera_Frame{1440, 4800, 2700, 1000};
inline constexpr TwipsRect ListInFrame{250, 400, 2200, 315};

// Right column.
inline constexpr TwipsRect PortCOM_Frame{4300, 100, 1200, 1575};
constexpr TwipsRect Port_Option(int index) {
    return {120, 300 * index, 975, 255};
}
inline constexpr TwipsRect Wersja_Frame{4320, 1790, 1200, 615};
inline constexpr TwipsRect Wersja_Text{120, 240, 960, 285};
inline constexpr TwipsRect Przeslij_Command{4320, 2600, 1200, 400};
inline constexpr TwipsRect Odbierz_Command{4320, 3200, 1200, 400};
inline constexpr TwipsRect About_Command{4320, 5400, 1215, 375};

} // namespace orv52::main_layout
