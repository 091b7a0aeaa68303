#pragma once

#include "control_table.h"

#include <vector>

namespace orv52 {

// The object names of the main window's controls: the table names them with these and the window
// finds them by these. An array's element adds its index: "AdresL_Check(0)".
namespace control_name {
inline constexpr char AdresL_Check[] = "AdresL_Check";
inline constexpr char AdresH_Check[] = "AdresH_Check";
inline constexpr char DelaySetOnRelay_Text[] = "DelaySetOnRelay_Text";
inline constexpr char DurationSetOnRelay_Text[] = "DurationSetOnRelay_Text";
inline constexpr char LightingTime_Text[] = "LightingTime_Text";
inline constexpr char WyswietlPolecenie_Combo[] = "WyswietlPolecenie_Combo";
inline constexpr char TrybBuzera_Combo[] = "TrybBuzera_Combo";
inline constexpr char Port_Option[] = "Port_Option";
inline constexpr char Wersja_Text[] = "Wersja_Text";
inline constexpr char Przeslij_Command[] = "Przeslij_Command";
inline constexpr char Odbierz_Command[] = "Odbierz_Command";
inline constexpr char About_Command[] = "About_Command";
} // namespace control_name

// Every control on the main window, once: the window makes its controls from these rows, and
// its font is fitted to their captions before any control exists.
std::vector<ControlRow> mainWindowControls();

} // namespace orv52
