#include "finding_text.h"

#include <cstdio>

namespace orv52 {

namespace {

std::string_view staticText(Finding finding) {
    switch (finding) {
    case Finding::Answered:
        return {};
    case Finding::Silence:
        return "nie nadszedł żaden bajt: sprawdź kabel, zasilanie odbiornika i wybrany port";
    case Finding::Echo:
        return "wróciło tylko wysłane żądanie, jak z pętli lub przejściówki z echem: sprawdź, "
               "czy odbiornik jest podłączony i włączony";
    case Finding::Refused:
        return "odbiornik odrzucił żądanie: odpowiedział „ER” zamiast „OK”";
    case Finding::BytesTooMany:
        return "odpowiedź z nadmiarowymi bajtami: sprawdź, czy na porcie nie nadaje inne "
               "urządzenie i czy kabel nie zbiera zakłóceń";
    case Finding::CutShort:
        return "odpowiedź urwana w połowie: sprawdź styki kabla i zasilanie odbiornika";
    case Finding::Stray:
        return "odebrane bajty nie są odpowiedzią odbiornika: sprawdź, czy do portu nie jest "
               "podłączone inne urządzenie i czy odbiornik pracuje z prędkością 1200 bodów";
    case Finding::BadRecord:
        return "konfiguracja nadeszła z błędną sumą kontrolną (zakłócenia na linii): sprawdź "
               "kabel i spróbuj ponownie";
    case Finding::OtherKind:
        return "nadeszła odpowiedź na inne żądanie niż wysłane: sprawdź, czy z portu nie "
               "korzysta jednocześnie inny program";
    case Finding::Garbled:
        return "odpowiedź zniekształcona, bez „OK” ani „ER” na swoim miejscu: sprawdź, czy kabel "
               "nie zbiera zakłóceń";
    case Finding::UnknownValue:
        break;
    }
    return {};
}

} // namespace

std::string unknownValueText(const UnknownListValue& unknown) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", unsigned{unknown.byte});
    std::string items;
    for (const std::string_view item : unknown.setting->items)
        items += (items.empty() ? "„" : ", „") + std::string(item) + "”";
    return "w ustawieniu „" + std::string(unknown.setting->caption) + "” odbiornik przysłał bajt " +
           byte + ", który nie wskazuje żadnej pozycji listy (" + items +
           "): oprogramowanie odbiornika może być nowsze niż ten program; sprawdź, czy jest "
           "nowsza wersja programu";
}

std::string findingText(const AnswerReading& reading) {
    if (reading.finding == Finding::UnknownValue)
        return unknownValueText(reading.unknownValue.value());
    return std::string(staticText(reading.finding));
}

} // namespace orv52
