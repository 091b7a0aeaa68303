#include "messages/command_line_text.h"
#include "messages/failure_class.h"
#include "messages/file_failure_text.h"
#include "messages/finding_text.h"
#include "messages/message_catalogue.h"
#include "messages/series_text.h"
#include "messages/usage_error_text.h"

#include <QTest>

using namespace orv52;

Q_DECLARE_METATYPE(Finding)
Q_DECLARE_METATYPE(std::string)

class MessagesTest : public QObject {
    Q_OBJECT

private slots:
    void catalogue_data();
    void catalogue();
    void unknownIdIsNotInTheCatalogue();
    void findingTexts_data();
    void findingTexts();
    void commandLineSentences_data();
    void commandLineSentences();
    void onlyAPortsOwnCodesArePortFailures();
};

void MessagesTest::catalogue_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("information");
    const QString warning = QStringLiteral("Ostrzeżenie");
    QTest::newRow("101") << 101 << "Podana wartość przekracza zakres (0..255) !!!" << warning
                         << false;
    QTest::newRow("102") << 102 << "Brak połączenia z odbiornikiem !!!" << warning << false;
    QTest::newRow("103") << 103 << "Błąd w transmisji !!!" << warning << false;
    QTest::newRow("104") << 104 << "Programowanie zakończone !"
                         << "Informacja" << true;
    QTest::newRow("105") << 105 << "Port zajęty, ustaw inny port !!!" << warning << false;
    QTest::newRow("106") << 106 << "Błędny numer portu !!!" << warning << false;
    QTest::newRow("107") << 107 << "Podana wartość przekracza zakres (1..255) !!!" << warning
                         << false;
    QTest::newRow("108") << 108 << "Brak dostępu do portu !!!" << warning << false;
}

void MessagesTest::catalogue() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, information);
    const auto message = findMessage(id);
    QVERIFY(message);
    QCOMPARE(QString::fromUtf8(message->text.data(), message->text.size()), text);
    QCOMPARE(message->kind == MessageKind::Information, information);
    const auto shownTitle = messageTitle(message->kind);
    QCOMPARE(QString::fromUtf8(shownTitle.data(), shownTitle.size()), title);
}

void MessagesTest::unknownIdIsNotInTheCatalogue() {
    QVERIFY(!findMessage(100));
    QVERIFY(!findMessage(109));
}

// What a technician reads under a failed exchange, word for word: the guide quotes these.
void MessagesTest::findingTexts_data() {
    using enum Finding;
    QTest::addColumn<Finding>("finding");
    QTest::addColumn<QString>("text");
    QTest::newRow("answered") << Answered << "";
    QTest::newRow("silence")
        << Silence << "nie nadszedł żaden bajt: sprawdź kabel, zasilanie odbiornika i wybrany port";
    QTest::newRow("echo") << Echo
                          << "wróciło tylko wysłane żądanie, jak z pętli lub przejściówki z echem: "
                             "sprawdź, czy odbiornik jest podłączony i włączony";
    QTest::newRow("refused") << Refused
                             << "odbiornik odrzucił żądanie: odpowiedział „ER” zamiast „OK”";
    QTest::newRow("bytes too many")
        << BytesTooMany
        << "odpowiedź z nadmiarowymi bajtami: sprawdź, czy na porcie nie nadaje inne urządzenie i "
           "czy kabel nie zbiera zakłóceń";
    QTest::newRow("cut short")
        << CutShort << "odpowiedź urwana w połowie: sprawdź styki kabla i zasilanie odbiornika";
    QTest::newRow("stray") << Stray
                           << "odebrane bajty nie są odpowiedzią odbiornika: sprawdź, czy do portu "
                              "nie jest podłączone inne urządzenie i czy odbiornik pracuje z "
                              "prędkością 1200 bodów";
    QTest::newRow("bad record")
        << BadRecord
        << "konfiguracja nadeszła z błędną sumą kontrolną (zakłócenia na linii): sprawdź kabel i "
           "spróbuj ponownie";
    QTest::newRow("other kind") << OtherKind
                                << "nadeszła odpowiedź na inne żądanie niż wysłane: sprawdź, czy z "
                                   "portu nie korzysta jednocześnie inny program";
    QTest::newRow("garbled") << Garbled
                             << "odpowiedź zniekształcona, bez „OK” ani „ER” na swoim miejscu: "
                                "sprawdź, czy kabel nie zbiera zakłóceń";
    QTest::newRow("unknown value")
        << UnknownValue
        << "w ustawieniu „Tryb pracy buzera” odbiornik przysłał bajt 0x00, który nie wskazuje "
           "żadnej pozycji listy („Bez dźwięku”, „Jak inne sygnalizatory”, „Krótki przerywany”, "
           "„Długi przerywany”): oprogramowanie odbiornika może być nowsze niż ten program; "
           "sprawdź, czy jest nowsza wersja programu";
}

void MessagesTest::findingTexts() {
    QFETCH(Finding, finding);
    QFETCH(QString, text);
    AnswerReading reading{finding, std::nullopt, std::nullopt};
    if (finding == Finding::UnknownValue)
        reading.unknownValue = UnknownListValue{&kBuzzerMode, 0x00};
    QCOMPARE(QString::fromStdString(findingText(reading)), text);
}

// What orv52-cli tells, word for word; the series' summary agrees with its number after "z".
void MessagesTest::commandLineSentences_data() {
    QTest::addColumn<std::string>("told");
    QTest::addColumn<QString>("text");
    const std::string reason = "Disk full";
    QTest::newRow("standard output")
        << notWrittenText(kStandardOutput) << "nie można zapisać na standardowe wyjście";
    QTest::newRow("series line") << notWrittenText(kSeriesLineOutput)
                                 << "nie można zapisać wiersza wyniku na standardowe wyjście";
    QTest::newRow("input") << inputFileNotOpenedText("a.txt", reason)
                           << "nie można otworzyć pliku „a.txt”: Disk full";
    QTest::newRow("input too large")
        << inputFileTooLargeText("a.txt") << "plik „a.txt” jest za duży na plik konfiguracji";
    QTest::newRow("output") << outputFileNotWrittenText("b.txt", reason)
                            << "nie można zapisać pliku „b.txt”: Disk full";
    QTest::newRow("log") << logNotOpenedText("d", reason)
                         << "nie można otworzyć dziennika „d”: Disk full";
    QTest::newRow("log's folder") << logFolderNotCreatedText("/a/d", "/a")
                                  << "nie można otworzyć dziennika „/a/d”: nie można utworzyć "
                                     "katalogu „/a”";
    QTest::newRow("log line") << logNotAppendedText("d", reason)
                              << "nie można dopisać do dziennika „d”: Disk full";
    QTest::newRow("backup folder")
        << backupFolderNotCreatedText("/k") << "nie można utworzyć katalogu kopii „/k”";
    QTest::newRow("backup folder's probe") << backupFolderNotWritableText("/k", reason)
                                           << "nie można zapisać pliku w katalogu kopii „/k”: "
                                              "Disk full";
    QTest::newRow("backup") << backupNotWrittenText("/k", reason)
                            << "nie można zapisać kopii w katalogu „/k”: Disk full";
    QTest::newRow("backup folder's sync")
        << backupFolderNotSyncedText("/k") << "nie można zapisać na dysku katalogu kopii „/k”";
    QTest::newRow("backup written")
        << backupWrittenText("/k/a.txt") << "kopia konfiguracji odbiornika: /k/a.txt";
    QTest::newRow("port error") << portErrorText(reason) << "Błąd portu: Disk full";
    QTest::newRow("no configuration")
        << wrongAnswerText(ExpectedAnswer::Configuration)
        << "Błąd w transmisji !!! (odbiornik nie przysłał konfiguracji)";
    QTest::newRow("no acknowledgement")
        << wrongAnswerText(ExpectedAnswer::Acknowledgement)
        << "Błąd w transmisji !!! (odbiornik nie przysłał potwierdzenia programowania)";
    QTest::newRow("programming") << programmingReceiverText(3) << "programuję odbiornik nr 3…";
    QTest::newRow("retrying") << retryingText("Błąd portu: x")
                              << "Błąd portu: x (ponawiam co sekundę)";
    QTest::newRow("differs") << differsText({"druzyny", "tryb_buzera"})
                             << "różni się: druzyny, tryb_buzera";
    QTest::newRow("series line, no version")
        << seriesLineText(QTime(9, 5, 3), 7, "COM2", std::nullopt, kProgrammedText)
        << "09:05:03  nr 7  COM2  wersja ?  wykonano\n";
    QTest::newRow("one done") << seriesSummaryText(1, 0)
                              << "Zaprogramowano 1 z 1 odbiornika; nieudane: 0.\n";
    QTest::newRow("one failed") << seriesSummaryText(0, 1)
                                << "Zaprogramowano 0 z 1 odbiornika; nieudane: 1.\n";
    QTest::newRow("three") << seriesSummaryText(2, 1)
                           << "Zaprogramowano 2 z 3 odbiorników; nieudane: 1.\n";
    QTest::newRow("stopped after 1 of 3")
        << seriesStoppedText(1, 3) << "Przerwano po 1 z 3 odbiorników.\n";
    QTest::newRow("stopped after 0 of 1")
        << seriesStoppedText(0, 1) << "Przerwano po 0 z 1 odbiornika.\n";
    QTest::newRow("usage error") << usage::usageErrorReport("orv52-cli", usage::unknownOption("-x"))
                                 << "orv52-cli: nieznana opcja „-x”\nWięcej: orv52-cli --help\n";
}

void MessagesTest::commandLineSentences() {
    QFETCH(std::string, told);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(told), text);
}

QTEST_APPLESS_MAIN(MessagesTest)
// A series tells these and tries again; any other code means a receiver is or was on the line.
void MessagesTest::onlyAPortsOwnCodesArePortFailures() {
    for (int code = 0; code <= int(ExitCode::Interrupted); ++code)
        QVERIFY2(isPortFailure(ExitCode(code)) ==
                     (code == 5 || code == 6 || code == 7 || code == 9),
                 qPrintable(QString::number(code)));
}

#include "test_messages.moc"
