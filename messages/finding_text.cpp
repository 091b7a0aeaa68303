#include "finding_text.h"

namespace orv52 {

std::string_view findingText(Finding finding) {
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
    }
    return {};
}

} // namespace orv52
