#include "exchange_fixture.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace {

// Where validation sends the focus in these tests: another text field, which takes the focus on
// a click and does nothing else.
constexpr const char* kElsewhere = "Wersja_Text";

} // namespace

class NumericFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void leavingAFieldChecksAndRewrites_data();
    void leavingAFieldChecksAndRewrites();
    void delayFieldsTakeOnlyDigits();
    void otherFieldsTakeAnyCharacter();
    void rejectedValueVetoesPrzeslij();
    void rejectedValueVetoesTabAndBacktab();
    void everyFocusTargetValidates_data();
    void everyFocusTargetValidates();
    void realMessageBoxGivesTheFocusBack();
};

void NumericFieldsTest::leavingAFieldChecksAndRewrites_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("message"); // 0: none
    QTest::addColumn<QString>("after");
    QTest::newRow("emptied delay") << "DelaySetOnRelay_Text(0)"
                                   << "" << 0 << "0";
    QTest::newRow("emptied lighting") << "LightingTime_Text(1)"
                                      << "" << 0 << "0";
    QTest::newRow("emptied duration") << "DurationSetOnRelay_Text(1)"
                                      << "" << 0 << "1";
    QTest::newRow("delay 0") << "DelaySetOnRelay_Text(1)"
                             << "0" << 0 << "0";
    QTest::newRow("delay 255") << "DelaySetOnRelay_Text(0)"
                               << "255" << 0 << "255";
    QTest::newRow("delay 256") << "DelaySetOnRelay_Text(0)"
                               << "256" << 101 << "256";
    QTest::newRow("duration 0") << "DurationSetOnRelay_Text(0)"
                                << "0" << 107 << "0";
    QTest::newRow("duration 256") << "DurationSetOnRelay_Text(1)"
                                  << "256" << 107 << "256";
    QTest::newRow("duration 000") << "DurationSetOnRelay_Text(0)"
                                  << "000" << 107 << "0";
    QTest::newRow("lighting 007") << "LightingTime_Text(0)"
                                  << "007" << 0 << "7";
    QTest::newRow("lighting -5") << "LightingTime_Text(0)"
                                 << "-5" << 101 << "-5";
    QTest::newRow("duration -5") << "DurationSetOnRelay_Text(1)"
                                 << "-5" << 107 << "-5";
    QTest::newRow("lighting 12a") << "LightingTime_Text(1)"
                                  << "12a" << 0 << "12a";
    QTest::newRow("lighting abc") << "LightingTime_Text(1)"
                                  << "abc" << 0 << "abc";
    QTest::newRow("duration abc") << "DurationSetOnRelay_Text(0)"
                                  << "abc" << 107 << "abc";
}

void NumericFieldsTest::leavingAFieldChecksAndRewrites() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, message);
    QFETCH(QString, after);
    ExchangeFixture f({"--no-pacing"});
    auto* edit = control<QLineEdit>(f.window, field);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    edit->setFocus();
    edit->setText(text);
    f.click(kElsewhere);
    QCOMPARE(edit->text(), after);
    if (message == 0) {
        QVERIFY(f.shown.empty());
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(f.window, kElsewhere));
    } else {
        QCOMPARE(f.shownIds(), std::vector<int>{message});
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->selectedText(), edit->text());
    }
}

void NumericFieldsTest::delayFieldsTakeOnlyDigits() {
    ExchangeFixture f({"--no-pacing"});
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto* delay = control<QLineEdit>(f.window, "DelaySetOnRelay_Text(1)");
    delay->setFocus();
    delay->clear();
    QTest::keyClicks(delay, "1a-. 2");
    QCOMPARE(delay->text(), QStringLiteral("12"));
    QTest::keyClick(delay, Qt::Key_Return);
    QTest::keyClicks(delay, "34");
    QCOMPARE(delay->text(), QStringLiteral("123"));
    QTest::keyClick(delay, Qt::Key_Backspace);
    QCOMPARE(delay->text(), QStringLiteral("12"));
    QTest::keyClick(delay, Qt::Key_Home);
    QTest::keyClick(delay, Qt::Key_Delete);
    QTest::keyClick(delay, Qt::Key_Right);
    QTest::keyClicks(delay, "7");
    QCOMPARE(delay->text(), QStringLiteral("27"));
    QGuiApplication::clipboard()->setText(QStringLiteral("9"));
    QTest::keyClick(delay, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(delay->text(), QStringLiteral("27"));
}

void NumericFieldsTest::otherFieldsTakeAnyCharacter() {
    ExchangeFixture f({"--no-pacing"});
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto* duration = control<QLineEdit>(f.window, "DurationSetOnRelay_Text(0)");
    duration->setFocus();
    duration->clear();
    QTest::keyClicks(duration, "-x.5");
    QCOMPARE(duration->text(), QStringLiteral("-x."));
}

void NumericFieldsTest::rejectedValueVetoesPrzeslij() {
    ExchangeFixture f({"--log", "--no-pacing"});
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto* delay = control<QLineEdit>(f.window, "DelaySetOnRelay_Text(0)");
    delay->setFocus();
    delay->setText("300");
    f.click("Przeslij_Command");
    QTest::qWait(300);
    QCOMPARE(f.shownIds(), std::vector<int>{101});
    QVERIFY(f.controlsEnabled());
    QVERIFY(!f.window.port().isOpen());
    QCOMPARE(QApplication::focusWidget(), delay);
    f.simulator->stop();
    QVERIFY(!f.simulator->log().contains("RX"));
}

void NumericFieldsTest::rejectedValueVetoesTabAndBacktab() {
    ExchangeFixture f({"--no-pacing"});
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto* lighting = control<QLineEdit>(f.window, "LightingTime_Text(0)");
    lighting->setFocus();
    lighting->setText("999");
    QTest::keyClick(lighting, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), lighting);
    QTest::keyClick(lighting, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), lighting);
    QCOMPARE(f.shownIds(), (std::vector<int>{101, 101}));
    lighting->setText("99");
    QTest::keyClick(lighting, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(f.window, "LightingTime_Text(1)"));
}

void NumericFieldsTest::everyFocusTargetValidates_data() {
    QTest::addColumn<QString>("target");
    for (const char* target : {"Odbierz_Command", "About_Command", "TrybBuzera_Combo",
                               "Port_Option(3)", "AdresH_Check(2)", "DurationSetOnRelay_Text(1)"})
        QTest::newRow(target) << target;
}

// A vetoed press must not reach its target: no exchange, no About window, no box ticked, no port
// chosen.
void NumericFieldsTest::everyFocusTargetValidates() {
    QFETCH(QString, target);
    ExchangeFixture f({"--no-pacing"});
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    auto* delay = control<QLineEdit>(f.window, "DelaySetOnRelay_Text(1)");
    delay->setFocus();
    delay->setText("256");
    f.click(qPrintable(target));
    QCOMPARE(f.shownIds(), std::vector<int>{101});
    QCOMPARE(QApplication::focusWidget(), delay);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(f.window.teamMaskHigh(), 0);
    QCOMPARE(f.window.port().comPort(), 1);
    QVERIFY(!f.window.port().isOpen());
}

void NumericFieldsTest::realMessageBoxGivesTheFocusBack() {
    orv52::Adresowanie_Form w;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* duration = control<QLineEdit>(w, "DurationSetOnRelay_Text(0)");
    duration->setFocus();
    duration->setText("0");
    QString seenText;
    QTimer::singleShot(100, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seenText = box->text();
            box->buttons().value(0)->click();
        }
    });
    auto* target = control<QWidget>(w, "Przeslij_Command");
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {},
                      target->mapTo(&w, target->rect().center()));
    QCOMPARE(seenText, QStringLiteral("Podana wartość przekracza zakres (1..255) !!!"));
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), duration);
    QCOMPARE(duration->selectedText(), QStringLiteral("0"));
    QVERIFY(control<QWidget>(w, "Przeslij_Command")->isEnabled());
}

QTEST_MAIN(NumericFieldsTest)
#include "test_numeric_fields.moc"
