#pragma once

#include "protocol/settings_description.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstddef>
#include <string_view>

// The main window's captions and texts. The window shows them and its font is fitted to them
// before any control exists, so both read them from here.
namespace orv52::main_texts {

inline constexpr QStringView kTitle = u"Korvant - Programowanie systemu ORV-52";

inline constexpr QStringView Adresowanie_Frame = u"Nr drużyny";
inline QString teamCaption(int team) {
    return QStringLiteral("%1").arg(team, 2, 10, QChar('0'));
}

// The captions that the configuration file's comments share come from the settings'
// description, like the list items.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString timingFrame(std::size_t group) {
    return QString::fromStdString(timingHeading(kTimingGroups.at(group)));
}
inline constexpr std::array<QStringView, 2> RelayLabel{u"przekaźnik górny", u"przekaźnik dolny"};
inline constexpr std::array<QStringView, 2> LightingTime_Label{u"strzałka w górę",
                                                               u"strzałka w dół"};

inline constexpr QStringView PortCOM_Frame = u"Port";
inline QString portCaption(int index) {
    return QStringLiteral("COM %1").arg(index);
}
inline constexpr QStringView Wersja_Frame = u"Wersja";
inline constexpr QStringView Przeslij_Command = u"Prześlij";
inline constexpr QStringView Odbierz_Command = u"Odbierz";
inline constexpr QStringView About_Command = u"O programie";

} // namespace orv52::main_texts
