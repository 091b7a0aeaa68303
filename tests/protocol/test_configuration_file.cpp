#include "protocol/configuration_file.h"

#include <QTest>

using namespace orv52;

namespace {

Configuration sampleSettings() {
    Configuration settings;
    settings.teamMaskLow = 0x85;  // teams 1, 3, 8
    settings.teamMaskHigh = 0x40; // team 15
    settings.timings = {0, 255, 1, 200, 17, 0};
    settings.displayCommand = 1;
    settings.buzzerMode = 3;
    settings.firmwareVersion = 0x23;
    return settings;
}

// A valid file with one line replaced (1-based), to put one fault at a known place.
std::string withLine(int number, const std::string& replacement) {
    std::string file = writeConfigurationFile(sampleSettings());
    std::size_t start = 0;
    for (int line = 1; line < number; ++line)
        start = file.find('\n', start) + 1;
    const auto end = file.find('\n', start);
    return file.replace(start, end - start, replacement);
}

// A file as Notepad saves it as "Unicode" (little-endian) or "Unicode big endian": UTF-16 after
// its byte-order mark.
std::string inUtf16(const std::string& utf8, bool bigEndian) {
    std::string file = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : QString::fromStdString(utf8).toStdU16String()) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        file += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return file;
}

} // namespace

class TestConfigurationFile : public QObject {
    Q_OBJECT

private slots:
    void aWrittenFileReadsBackAsItsSettingsButTheVersion() {
        for (const Configuration& settings : {sampleSettings(), Configuration{}}) {
            const auto parsed = parseConfigurationFile(writeConfigurationFile(settings));
            QVERIFY2(parsed.settings, parsed.error.describe().c_str());
            Configuration expected = settings;
            expected.firmwareVersion = 0;
            QCOMPARE(*parsed.settings, expected);
        }
    }

    // Every line as a person reads it: one comment before each key, one for each pair of timings.
    void theWrittenFileIsReadableByAPerson() {
        QCOMPARE(QString::fromStdString(writeConfigurationFile(sampleSettings())),
                 QString("# Konfiguracja odbiornika ORV-52.\n"
                         "# Numery drużyn 1..15, po przecinku; pusto: żadna.\n"
                         "druzyny = 1, 3, 8, 15\n"
                         "# Opóźnienie załączania [s], 0..255: przekaźnik górny, dolny.\n"
                         "opoznienie_przekaznik_gorny = 0\n"
                         "opoznienie_przekaznik_dolny = 255\n"
                         "# Czas trwania załączenia [100 ms], 1..255: przekaźnik górny, dolny.\n"
                         "czas_zalaczenia_przekaznik_gorny = 1\n"
                         "czas_zalaczenia_przekaznik_dolny = 200\n"
                         "# Czas trwania świecenia [s], 0..255: strzałka w górę, w dół.\n"
                         "swiecenie_strzalka_gora = 17\n"
                         "swiecenie_strzalka_dol = 0\n"
                         "# Wyświetl polecenie: Środek | Dwie strzałki | Wszystko.\n"
                         "wyswietl_polecenie = Dwie strzałki\n"
                         "# Tryb pracy buzera: Bez dźwięku | Jak inne sygnalizatory | Krótki "
                         "przerywany | Długi przerywany.\n"
                         "tryb_buzera = Długi przerywany\n"
                         "# Wersja oprogramowania odbiornika: tylko odczytana, nigdy nie "
                         "wysyłana.\n"
                         "wersja = 2.3\n"));
        QVERIFY(writeConfigurationFile(Configuration{}).find("\ndruzyny =\n") != std::string::npos);
    }

    // Files as an operator writes them: by hand, or saved by a Polish Windows editor as "ANSI"
    // (Windows-1250, the comment too).
    void anOperatorsFileIsAccepted_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("teamMaskLow");
        QTest::addColumn<int>("teamMaskHigh");
        QTest::addColumn<int>("firstTiming");
        QTest::addColumn<int>("fourthTiming");
        QTest::addColumn<int>("displayCommand");
        QTest::addColumn<int>("buzzerMode");
        QTest::newRow("by hand") << QByteArray("\xEF\xBB\xBF# od ręki\r\n"
                                               "\r\n"
                                               "tryb_buzera=Bez dźwięku\r\n"
                                               "  druzyny =  15 9,2\t 2  \r\n"
                                               "opoznienie_przekaznik_gorny = 007\n"
                                               "  opoznienie_przekaznik_dolny = 0 \t\n"
                                               "czas_zalaczenia_przekaznik_gorny = 1\n"
                                               "czas_zalaczenia_przekaznik_dolny = 255\n"
                                               "swiecenie_strzalka_gora = 3\n"
                                               "swiecenie_strzalka_dol = 4\n"
                                               "wyswietl_polecenie = Wszystko")
                                 << 0x02 << 0x41 << 7 << 255 << 2 << 0;
        QTest::newRow("Windows-1250")
            << QByteArray("# Zapisane w Notatniku: \xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\r\n"
                          "druzyny = 2\r\n"
                          "opoznienie_przekaznik_gorny = 0\r\n"
                          "opoznienie_przekaznik_dolny = 0\r\n"
                          "czas_zalaczenia_przekaznik_gorny = 1\r\n"
                          "czas_zalaczenia_przekaznik_dolny = 1\r\n"
                          "swiecenie_strzalka_gora = 0\r\n"
                          "swiecenie_strzalka_dol = 0\r\n"
                          "wyswietl_polecenie = Dwie strza\xB3ki\r\n"
                          "tryb_buzera = D\xB3ugi przerywany\r\n")
            << 0x02 << 0x00 << 0 << 1 << 1 << 3;
        const std::string sample = writeConfigurationFile(sampleSettings()) + "# 🙂\n";
        for (const bool bigEndian : {false, true})
            QTest::newRow(bigEndian ? "UTF-16 BE" : "UTF-16 LE")
                << QByteArray::fromStdString(inUtf16(sample, bigEndian)) << 0x85 << 0x40 << 0 << 200
                << 1 << 3;
    }
    void anOperatorsFileIsAccepted() {
        QFETCH(QByteArray, file);
        QFETCH(int, teamMaskLow);
        QFETCH(int, teamMaskHigh);
        QFETCH(int, firstTiming);
        QFETCH(int, fourthTiming);
        QFETCH(int, displayCommand);
        QFETCH(int, buzzerMode);
        const auto parsed = parseConfigurationFile(file.toStdString());
        QVERIFY2(parsed.settings, parsed.error.describe().c_str());
        QCOMPARE(parsed.settings->teamMaskLow, teamMaskLow);
        QCOMPARE(parsed.settings->teamMaskHigh, teamMaskHigh);
        QCOMPARE(parsed.settings->timings[0], firstTiming);
        QCOMPARE(parsed.settings->timings[3], fourthTiming);
        QCOMPARE(parsed.settings->displayCommand, displayCommand);
        QCOMPARE(parsed.settings->buzzerMode, buzzerMode);
    }

    void aBadFileIsRefusedNamingLineAndKey_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, const std::string& file, int line,
                            const std::string& key, const std::string& problem) {
            QTest::newRow(name) << QByteArray::fromStdString(file) << line
                                << QByteArray::fromStdString(key)
                                << QString::fromStdString(problem);
        };
        row("unknown key", withLine(3, "druzyna = 1"), 3, "druzyna", "nieznany klucz");
        row("team 0", withLine(3, "druzyny = 1, 0"), 3, "druzyny", "„0” spoza zakresu 1..15");
        row("team 16", withLine(3, "druzyny = 16"), 3, "druzyny", "„16” spoza zakresu 1..15");
        row("team not a number", withLine(3, "druzyny = 1;2"), 3, "druzyny", "„1;2”");
        row("minus zero", withLine(5, "opoznienie_przekaznik_gorny = -0"), 5,
            "opoznienie_przekaznik_gorny", "„-0”");
        row("delay 256", withLine(5, "opoznienie_przekaznik_gorny = 256"), 5,
            "opoznienie_przekaznik_gorny", "„256” spoza zakresu 0..255");
        row("duration 0", withLine(9, "czas_zalaczenia_przekaznik_dolny = 0"), 9,
            "czas_zalaczenia_przekaznik_dolny", "„0” spoza zakresu 1..255");
        row("negative lighting", withLine(11, "swiecenie_strzalka_gora = -1"), 11,
            "swiecenie_strzalka_gora", "„-1”");
        row("fraction", withLine(12, "swiecenie_strzalka_dol = 1.5"), 12, "swiecenie_strzalka_dol",
            "„1.5”");
        row("beyond int", withLine(12, "swiecenie_strzalka_dol = 99999999999"), 12,
            "swiecenie_strzalka_dol", "„99999999999”");
        row("empty timing", withLine(12, "swiecenie_strzalka_dol ="), 12, "swiecenie_strzalka_dol",
            "„”");
        row("not an item", withLine(14, "wyswietl_polecenie = srodek"), 14, "wyswietl_polecenie",
            "„srodek” nie jest pozycją listy: Środek, Dwie strzałki, Wszystko");
        row("item in other case", withLine(16, "tryb_buzera = bez dźwięku"), 16, "tryb_buzera",
            "nie jest pozycją listy");
        row("repeated key", withLine(17, "druzyny = 1"), 17, "druzyny",
            "klucz powtórzony (pierwszy raz w wierszu 3)");
        row("missing key", withLine(5, "# wykreślone"), 0, "opoznienie_przekaznik_gorny",
            "brak klucza w pliku");
        row("no equals sign", withLine(5, "opoznienie_przekaznik_gorny 5"), 5, "",
            "oczekiwano „klucz = wartość”");
        row("empty file", "", 0, "druzyny", "brak klucza w pliku");
        row("NUL bytes without a byte-order mark", std::string("\0\xff=\x01", 4), 1, "",
            "plik zawiera bajty 0x00, jak zapisany w UTF-16 BE bez znacznika kolejności bajtów: "
            "zapisz plik w UTF-8");
        row("UTF-16 LE without its mark", inUtf16(withLine(2, "druzyny = 1"), false).substr(2), 1,
            "", "jak zapisany w UTF-16 LE bez znacznika");
        std::string loneSurrogate = inUtf16(withLine(14, "wyswietl_polecenie = x"), false);
        loneSurrogate.replace(loneSurrogate.find(std::string("x\0", 2)), 2,
                              std::string("\0\xDC", 2));
        row("surrogate out of its pair in UTF-16", loneSurrogate, 14, "wyswietl_polecenie",
            "bajt 0x00 nie należy do znaku UTF-16 LE: zapisz plik w UTF-8");
        row("byte in neither encoding", withLine(14, "wyswietl_polecenie = \x8Crodek\x81"), 14,
            "wyswietl_polecenie", "bajt 0x81 nie jest znakiem ani w UTF-8, ani w Windows-1250");
        row("such a byte in a comment", withLine(2, "# \x90"), 2, "", "bajt 0x90");
        row("such a byte on the first line", "tryb_buzera = \x98", 1, "tryb_buzera", "bajt 0x98");
        row("such a byte after a byte-order mark", "\xEF\xBB\xBFtryb_buzera = \x98", 1,
            "tryb_buzera", "bajt 0x98");
        // A faulty value is repeated up to 40 bytes, cut before a character it would split.
        const std::string forty(40, '7');
        row("40 bytes repeated whole", withLine(3, "druzyny = " + forty), 3, "druzyny",
            "„" + forty + "” spoza");
        row("41 bytes cut to 40", withLine(3, "druzyny = " + forty + "8"), 3, "druzyny",
            "„" + forty + "…” spoza");
        row("cut before a character it would split",
            withLine(3, "druzyny = " + forty.substr(1) + "ą"), 3, "druzyny",
            "„" + forty.substr(1) + "…” spoza");
        // Read as Windows-1250, 41 bytes 0x80 are 41 three-byte euro signs: 13 of them fit.
        std::string euros;
        for (int i = 0; i < 13; ++i)
            euros += "€";
        row("a cut in Windows-1250 text", withLine(3, "druzyny = " + std::string(41, '\x80')), 3,
            "druzyny", "„" + euros + "…” spoza");
    }

    void aBadFileIsRefusedNamingLineAndKey() {
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QByteArray, key);
        QFETCH(QString, problem);
        const auto parsed = parseConfigurationFile(file.toStdString());
        QVERIFY(!parsed.settings);
        QCOMPARE(parsed.error.line, line);
        QCOMPARE(QByteArray::fromStdString(parsed.error.key), key);
        QVERIFY2(parsed.error.problem.find(problem.toStdString()) != std::string::npos,
                 parsed.error.problem.c_str());
    }

    void theErrorSaysWhereInPolish_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("description");
        QTest::newRow("line and key") << QByteArray::fromStdString(withLine(3, "druzyny = 16"))
                                      << "wiersz 3, klucz „druzyny”: numer drużyny „16” spoza "
                                         "zakresu 1..15";
        QTest::newRow("first line")
            << QByteArray("druzyna = 1") << "wiersz 1, klucz „druzyna”: nieznany klucz";
        QTest::newRow("line without a key") << QByteArray::fromStdString(withLine(5, "5"))
                                            << "wiersz 5: oczekiwano „klucz = wartość”, jest „5”";
        QTest::newRow("missing key, no line")
            << QByteArray::fromStdString(withLine(3, "")) << "klucz „druzyny”: brak klucza w pliku";
    }
    void theErrorSaysWhereInPolish() {
        QFETCH(QByteArray, file);
        QFETCH(QString, description);
        const auto parsed = parseConfigurationFile(file.toStdString());
        QCOMPARE(QString::fromStdString(parsed.error.describe()), description);
    }

    void differencesNameTheKeyAndBothValues() {
        Configuration held = sampleSettings();
        held.firmwareVersion = 0x10;
        QVERIFY(describeDifferences(sampleSettings(), held).empty());
        QVERIFY(differingKeys(sampleSettings(), held).empty());

        held.teamMaskHigh = 0;
        held.timings[3] = 1;
        held.buzzerMode = 0;
        const auto differences = describeDifferences(sampleSettings(), held);
        QCOMPARE(differences.size(), 3u);
        QCOMPARE(QString::fromStdString(differences[0]),
                 QString("druzyny: w pliku „1, 3, 8, 15”, w odbiorniku „1, 3, 8”"));
        QCOMPARE(QString::fromStdString(differences[1]),
                 QString("czas_zalaczenia_przekaznik_dolny: w pliku „200”, w odbiorniku „1”"));
        QCOMPARE(QString::fromStdString(differences[2]),
                 QString("tryb_buzera: w pliku „Długi przerywany”, w odbiorniku „Bez dźwięku”"));
        QCOMPARE(differingKeys(sampleSettings(), held),
                 (std::vector<std::string>{"druzyny", "czas_zalaczenia_przekaznik_dolny",
                                           "tryb_buzera"}));
    }
};

QTEST_APPLESS_MAIN(TestConfigurationFile)
#include "test_configuration_file.moc"
