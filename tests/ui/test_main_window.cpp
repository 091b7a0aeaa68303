#include "ui/adresowanie_form.h"
#include "window_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using orv52::Adresowanie_Form;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpState();
    void captionsAndLists();
    void windowFrameAndSize();
    void drawsItsTextInAFontOfTheSystem();
    void geometryFollowsTheTwipsLayout_data();
    void geometryFollowsTheTwipsLayout();
    void requestFramesAreFilledAtStartUp();
    void focusStartsOnTeamOneAndTabWalksTheWindow();
    void arrowKeysMoveWithinThePortOptions();
    void teamMasksFollowTheBoxes();
    void settingBoxesFromARecord();
};

void MainWindowTest::startUpState() {
    Adresowanie_Form w;
    QVERIFY(w.isVisible());
    for (int i = 0; i < 8; ++i)
        QVERIFY(!control<QCheckBox>(w, indexed("AdresL_Check", i))->isChecked());
    for (int i = 0; i < 7; ++i)
        QVERIFY(!control<QCheckBox>(w, indexed("AdresH_Check", i))->isChecked());
    for (const char* name : {"DelaySetOnRelay_Text", "LightingTime_Text"})
        for (int i = 0; i < 2; ++i)
            QCOMPARE(control<QLineEdit>(w, indexed(name, i))->text(), QStringLiteral("0"));
    for (int i = 0; i < 2; ++i)
        QCOMPARE(control<QLineEdit>(w, indexed("DurationSetOnRelay_Text", i))->text(),
                 QStringLiteral("1"));
    QCOMPARE(control<QComboBox>(w, "WyswietlPolecenie_Combo")->currentText(),
             QStringLiteral("Środek"));
    QCOMPARE(control<QComboBox>(w, "TrybBuzera_Combo")->currentText(),
             QStringLiteral("Bez dźwięku"));
    auto* version = control<QLineEdit>(w, "Wersja_Text");
    QCOMPARE(version->text(), QStringLiteral("0.0"));
    QVERIFY(version->isReadOnly());
    QVERIFY(control<QRadioButton>(w, "Port_Option(1)")->isChecked());
    for (auto* widget : w.findChildren<QWidget*>(QRegularExpression("^[A-Z]")))
        QVERIFY2(widget->isEnabled() && widget->isVisible(), qPrintable(widget->objectName()));
    QVERIFY(!w.findChild<QTimer*>("Odbieraj_Timer")->isActive());
    QVERIFY(!w.findChild<QTimer*>("TimeOut_Timer")->isActive());
    QCOMPARE(w.findChild<QTimer*>("Odbieraj_Timer")->interval(), 100);
    QCOMPARE(w.findChild<QTimer*>("TimeOut_Timer")->interval(), 2000);
    QVERIFY(!w.port().isOpen());
    QCOMPARE(w.port().comPort(), 1);
    QCOMPARE(w.teamMaskLow(), 0);
    QCOMPARE(w.teamMaskHigh(), 0);
}

void MainWindowTest::captionsAndLists() {
    Adresowanie_Form w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Korvant - Programowanie systemu ORV-52"));
    const QStringList teams{"01", "02", "03", "04", "05", "06", "07", "08"};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(control<QCheckBox>(w, indexed("AdresL_Check", i))->text(), teams[i]);
    QCOMPARE(control<QCheckBox>(w, indexed("AdresH_Check", 0))->text(), QStringLiteral("09"));
    QCOMPARE(control<QCheckBox>(w, indexed("AdresH_Check", 6))->text(), QStringLiteral("15"));
    const QList<std::pair<const char*, QString>> frames{
        {"Adresowanie_Frame", "Nr drużyny"},
        {"DelaySetOnRelay_Frame", "Opóźnienie załączania [s]"},
        {"DurationSetOnRelay_Frame", "Czas trwania załączenia [100 ms]"},
        {"LightingTime_Frame", "Czas trwania świecenia [s]"},
        {"WyswietlPolecenie_Frame", "Wyświetl polecenie"},
        {"TrybBuzera_Frame", "Tryb pracy buzera"},
        {"PortCOM_Frame", "Port"},
        {"Wersja_Frame", "Wersja"}};
    for (const auto& [name, caption] : frames)
        QCOMPARE(control<QGroupBox>(w, name)->title(), caption);
    QCOMPARE(control<QLabel>(w, "DelaySetOnRelay_Label(0)")->text(),
             QStringLiteral("przekaźnik górny"));
    QCOMPARE(control<QLabel>(w, "DurationSetOnRelay_Label(1)")->text(),
             QStringLiteral("przekaźnik dolny"));
    QCOMPARE(control<QLabel>(w, "LightingTime_Label(0)")->text(),
             QStringLiteral("strzałka w górę"));
    QCOMPARE(control<QLabel>(w, "LightingTime_Label(1)")->text(), QStringLiteral("strzałka w dół"));
    QCOMPARE(control<QPushButton>(w, "Przeslij_Command")->text(), QStringLiteral("Prześlij"));
    QCOMPARE(control<QPushButton>(w, "Odbierz_Command")->text(), QStringLiteral("Odbierz"));
    QCOMPARE(control<QPushButton>(w, "About_Command")->text(), QStringLiteral("O programie"));
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(control<QRadioButton>(w, indexed("Port_Option", i))->text(),
                 QStringLiteral("COM %1").arg(i));

    const auto items = [&](const char* name) {
        auto* list = control<QComboBox>(w, name);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    QVERIFY(!control<QComboBox>(w, "WyswietlPolecenie_Combo")->isEditable());
    QVERIFY(!control<QComboBox>(w, "TrybBuzera_Combo")->isEditable());
    QCOMPARE(items("WyswietlPolecenie_Combo"),
             (QStringList{"Środek", "Dwie strzałki", "Wszystko"}));
    QCOMPARE(items("TrybBuzera_Combo"), (QStringList{"Bez dźwięku", "Jak inne sygnalizatory",
                                                     "Krótki przerywany", "Długi przerywany"}));
    for (auto* field : w.findChildren<QLineEdit*>()) {
        QCOMPARE(field->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        if (field->objectName() != "Wersja_Text")
            QCOMPARE(field->maxLength(), 3);
    }
}

void MainWindowTest::windowFrameAndSize() {
    Adresowanie_Form w;
    QCOMPARE(w.size(), QSize(375, 393));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    const auto flags = w.windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.windowIcon().pixmap(16, 16).size(), QSize(16, 16));
    QVERIFY(!w.windowIcon().isNull());
}

void MainWindowTest::drawsItsTextInAFontOfTheSystem() {
    Adresowanie_Form w;
    QVERIFY(QFontDatabase::families().contains(QFontInfo(w.font()).family()));
    QVERIFY(!w.grab().isNull());
}

void MainWindowTest::geometryFollowsTheTwipsLayout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    // twips / 15, rounded: e.g. "15" at top 5320 twips is 354.67 -> 355 px.
    QTest::newRow("team 01") << "AdresL_Check(0)" << QRect(8, 19, 40, 17);
    QTest::newRow("team 15") << "AdresH_Check(6)" << QRect(8, 355, 40, 17);
    QTest::newRow("team frame") << "Adresowanie_Frame" << QRect(7, 7, 80, 380);
    QTest::newRow("delay frame") << "DelaySetOnRelay_Frame" << QRect(97, 7, 180, 73);
    QTest::newRow("lower lighting field") << "LightingTime_Text(1)" << QRect(8, 45, 27, 19);
    QTest::newRow("down arrow label") << "LightingTime_Label(1)" << QRect(43, 48, 68, 13);
    QTest::newRow("buzzer list") << "TrybBuzera_Combo" << QRect(17, 27, 147, 21);
    QTest::newRow("COM 4") << "Port_Option(4)" << QRect(8, 80, 65, 17);
    QTest::newRow("version field") << "Wersja_Text" << QRect(8, 16, 64, 19);
    QTest::newRow("Prześlij") << "Przeslij_Command" << QRect(288, 173, 80, 27);
    QTest::newRow("O programie") << "About_Command" << QRect(288, 360, 81, 25);
}

void MainWindowTest::geometryFollowsTheTwipsLayout() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    Adresowanie_Form w;
    QCOMPARE(control<QWidget>(w, name)->geometry(), pixels);
}

void MainWindowTest::requestFramesAreFilledAtStartUp() {
    Adresowanie_Form w;
    const auto& frame = w.programmingFrame();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(frame.data()), 3), QByteArray("PRG"));
    for (std::size_t i = 3; i < frame.size(); ++i)
        QCOMPARE(frame[i], 0);
    const auto& query = w.configurationQuery();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(query.data()), 5), QByteArray("CFG\0?", 5));
}

void MainWindowTest::focusStartsOnTeamOneAndTabWalksTheWindow() {
    Adresowanie_Form w;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(w, "AdresL_Check(0)"));

    QStringList expected;
    for (int i = 0; i < 8; ++i)
        expected << indexed("AdresL_Check", i);
    for (int i = 0; i < 7; ++i)
        expected << indexed("AdresH_Check", i);
    for (const char* name :
         {"DelaySetOnRelay_Text", "DurationSetOnRelay_Text", "LightingTime_Text"})
        expected << indexed(name, 0) << indexed(name, 1);
    expected << "WyswietlPolecenie_Combo"
             << "TrybBuzera_Combo"
             << "Przeslij_Command"
             << "Odbierz_Command"
             << "Port_Option(1)"
             << "Wersja_Text"
             << "About_Command"
             << "AdresL_Check(0)";
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, expected);

    // With another option selected, the port group's one stop is on that option.
    control<QRadioButton>(w, "Port_Option(3)")->click();
    control<QWidget>(w, "Odbierz_Command")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Port_Option(3)"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Wersja_Text"));
}

void MainWindowTest::arrowKeysMoveWithinThePortOptions() {
    Adresowanie_Form w;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* com1 = control<QRadioButton>(w, "Port_Option(1)");
    com1->setFocus();
    QTest::keyClick(com1, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Port_Option(2)"));
    QVERIFY(control<QRadioButton>(w, "Port_Option(2)")->isChecked());
    QCOMPARE(w.port().comPort(), 2);
}

void MainWindowTest::teamMasksFollowTheBoxes() {
    Adresowanie_Form w;
    const auto team = [&](int number) {
        return number <= 8 ? control<QCheckBox>(w, indexed("AdresL_Check", number - 1))
                           : control<QCheckBox>(w, indexed("AdresH_Check", number - 9));
    };
    team(1)->click();
    QCOMPARE(w.teamMaskLow(), 0x01);
    team(8)->click();
    QCOMPARE(w.teamMaskLow(), 0x81);
    team(1)->click();
    QCOMPARE(w.teamMaskLow(), 0x80);
    team(9)->click();
    team(15)->click();
    QCOMPARE(w.teamMaskHigh(), 0x41);
    for (int number = 10; number <= 14; ++number)
        team(number)->click();
    QCOMPARE(w.teamMaskHigh(), 0x7F);
    team(12)->click();
    team(12)->click();
    QCOMPARE(w.teamMaskHigh(), 0x7F);
    QCOMPARE(w.teamMaskLow(), 0x80);
    // The space bar on a focused box ticks it like a click.
    QVERIFY(QTest::qWaitForWindowActive(&w));
    team(3)->setFocus();
    QTest::keyClick(team(3), Qt::Key_Space);
    QCOMPARE(w.teamMaskLow(), 0x84);
}

void MainWindowTest::settingBoxesFromARecord() {
    Adresowanie_Form w;
    w.setTeamBoxes(0x81, 0xFF);
    QCOMPARE(w.teamMaskLow(), 0x81);
    QCOMPARE(w.teamMaskHigh(), 0x7F);
    QVERIFY(control<QCheckBox>(w, "AdresL_Check(0)")->isChecked());
    QVERIFY(!control<QCheckBox>(w, "AdresL_Check(1)")->isChecked());
    QVERIFY(control<QCheckBox>(w, "AdresL_Check(7)")->isChecked());

    // Boxes that keep their state raise no notification.
    QList<QSignalSpy*> spies;
    for (int i = 0; i < 8; ++i)
        spies << new QSignalSpy(control<QCheckBox>(w, indexed("AdresL_Check", i)),
                                &QCheckBox::toggled);
    w.setTeamBoxes(0x81, 0x00);
    for (auto* spy : spies)
        QCOMPARE(spy->count(), 0);
    qDeleteAll(spies);
    QCOMPARE(w.teamMaskHigh(), 0x00);

    w.setTeamBoxes(0x00, 0x00);
    QCOMPARE(w.teamMaskLow(), 0x00);
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
