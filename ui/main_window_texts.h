#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <string_view>

// The main window's captions and texts. The window shows them and its font is fitted to them
// before any control exists, so both read them from here.
namespace orv52::main_texts {

inline constexpr QStringView kTitle = u"Korvant - Programowanie systemu ORV-52";

inline constexpr QStringView Adresowanie_Frame = u"Nr drużyny";
inline QString teamCaption(int team) {
    return QStringLiteral("%1").arg(team, 2, 10, QChar('0'));
}

inline constexpr QStringView DelaySetOnRelay_Frame = u"Opóźnienie załączania [s]";
inline constexpr QStringView DurationSetOnRelay_Frame = u"Czas trwania załączenia [100 ms]";
inline constexpr QStringView LightingTime_Frame = u"Czas trwania świecenia [s]";
inline constexpr std::array<QStringView, 2> RelayLabel{u"przekaźnik górny", u"przekaźnik dolny"};
inline constexpr std::array<QStringView, 2> LightingTime_Label{u"strzałka w górę",
                                                               u"strzałka w dół"};

inline constexpr QStringView WyswietlPolecenie_Frame = u"Wyświetl polecenie";
inline constexpr QStringView TrybBuzera_Frame = u"Tryb pracy buzera";

// The list items are the receiver's own setting names, kept with the record they are coded in.
inline QString listItem(std::string_view utf8Item) {
    return QString::fromUtf8(utf8Item.data(), static_cast<qsizetype>(utf8Item.size()));
}

inline constexpr QStringView PortCOM_Frame = u"Port";
inline QString portCaption(int index) {
    return QStringLiteral("COM %1").arg(index);
}
inline constexpr QStringView Wersja_Frame = u"Wersja";
inline constexpr QStringView Przeslij_Command = u"Prześlij";
inline constexpr QStringView Odbierz_Command = u"Odbierz";
inline constexpr QStringView About_Command = u"O programie";

} // namespace orv52::main_texts
