#include "exchange_fixture.h"
#include "support/pty_receiver_end.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSerialPort>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QByteArray kStartUpFrameLog =
    "RX 50 52 47 00 00 00 00 00 01 01 00 00 01 01 00 00 00 00 00 00 13\n";

QByteArray withValidChecksum(QByteArray record) {
    record[20] = 0;
    int sum = 0;
    for (char byte : record)
        sum += static_cast<unsigned char>(byte);
    record[20] = char((256 - sum % 256) % 256);
    return record;
}

// Teams 01 and 08, all of 09..15 (and bit 7), delays 5 and 6, durations 0 and 255, lighting 7
// and 8, "Wszystko", "Długi przerywany", version 2.3.
QByteArray readRecord() {
    return withValidChecksum(
        QByteArray::fromHex("50 52 47 00 81 FF 05 06 00 FF 07 08 04 08 00 00 00 00 00 23 00"));
}

QStringList windowValues(const QWidget& w) {
    QStringList values;
    for (const char* name :
         {"DelaySetOnRelay_Text", "DurationSetOnRelay_Text", "LightingTime_Text"})
        for (int i = 0; i < 2; ++i)
            values << control<QLineEdit>(w, indexed(name, i))->text();
    values << control<QComboBox>(w, "WyswietlPolecenie_Combo")->currentText()
           << control<QComboBox>(w, "TrybBuzera_Combo")->currentText()
           << control<QLineEdit>(w, "Wersja_Text")->text();
    for (auto* box : w.findChildren<QCheckBox*>())
        values << (box->isChecked() ? "x" : "-");
    return values;
}

} // namespace

class ExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void startUpStateProgramsTheWorkedExampleFrame();
    void frameCarriesTicksTypedValuesAndLists();
    void readShowsTheReceiversConfiguration();
    void unshowableRecordChangesNothing_data();
    void unshowableRecordChangesNothing();
    void noAnswerEndsByTimeout();
    void lateAnswerCompletesAndNoTimeoutFollows();
    void strayBytesBeforeAnAnswerInOneBatch();
    void controlsAreLockedWhileAnExchangeRuns();
    void portErrorsGiveTheirMessages();
    void overflowingFieldSendsNothing();
    void pulledCableEndsByTimeoutAndTheNextExchangeWorks();
    void failedWriteShowsNothingAndGivesTheControlsBack();
};

void ExchangeTest::startUpStateProgramsTheWorkedExampleFrame() {
    ExchangeFixture f({"--log"});
    f.click("Przeslij_Command");
    QVERIFY(f.waitForMessage());
    QCOMPARE(f.shownIds(), std::vector<int>{104});
    QVERIFY(f.shown[0].controlsEnabled);
    f.simulator->stop();
    QVERIFY2(f.simulator->log().contains(kStartUpFrameLog), f.simulator->log().constData());
    QVERIFY(!f.window.port().isOpen());
}

void ExchangeTest::frameCarriesTicksTypedValuesAndLists() {
    ExchangeFixture f({"--log", "--no-pacing"});
    auto& w = f.window;
    for (const char* box :
         {"AdresL_Check(0)", "AdresL_Check(7)", "AdresH_Check(0)", "AdresH_Check(6)"})
        control<QCheckBox>(w, box)->click();
    const QStringList texts{"5", "12a", "255", "1", " 7", "abc"};
    int i = 0;
    for (const char* name :
         {"DelaySetOnRelay_Text", "DurationSetOnRelay_Text", "LightingTime_Text"})
        for (int index = 0; index < 2; ++index)
            control<QLineEdit>(w, indexed(name, index))->setText(texts[i++]);
    control<QComboBox>(w, "WyswietlPolecenie_Combo")->setCurrentIndex(2);
    control<QComboBox>(w, "TrybBuzera_Combo")->setCurrentIndex(3);
    f.click("Przeslij_Command");
    QVERIFY(f.waitForMessage());
    QCOMPARE(f.shownIds(), std::vector<int>{104});
    f.simulator->stop();
    // 233 + 0x81 + 0x41 + 5 + 12 + 255 + 1 + 7 + 0 + 4 + 8 = 719 = 2 * 256 + 207 -> 49 = 0x31
    QVERIFY2(f.simulator->log().contains(
                 "RX 50 52 47 00 81 41 05 0C FF 01 07 00 04 08 00 00 00 00 00 00 31\n"),
             f.simulator->log().constData());
}

void ExchangeTest::readShowsTheReceiversConfiguration() {
    ExchangeFixture f({"--record", readRecord().toHex()});
    auto& w = f.window;
    f.click("Odbierz_Command");
    QVERIFY(QTest::qWaitFor([&] { return f.controlsEnabled(); }, 3000));
    QTest::qWait(50);
    QVERIFY(f.shown.empty());
    const QStringList expectedValues{
        "5", "6", "0", "255", "7", "8", "Wszystko", "Długi przerywany", "2.3"};
    QCOMPARE(windowValues(w).mid(0, 9), expectedValues);
    QCOMPARE(w.teamMaskLow(), 0x81);
    QCOMPARE(w.teamMaskHigh(), 0x7F);
    QVERIFY(control<QCheckBox>(w, "AdresL_Check(0)")->isChecked());
    QVERIFY(!control<QCheckBox>(w, "AdresL_Check(3)")->isChecked());
    QVERIFY(control<QCheckBox>(w, "AdresH_Check(6)")->isChecked());
    QVERIFY(!w.port().isOpen());
}

void ExchangeTest::unshowableRecordChangesNothing_data() {
    QTest::addColumn<QStringList>("args");
    const QByteArray good = readRecord();
    QByteArray noDisplayItem = good;
    noDisplayItem[12] = 0; // names no list item
    QByteArray buzzerPastTheList = good;
    buzzerPastTheList[13] = 0x10; // position 4 of a four-item list
    QByteArray displayPastTheList = good;
    displayPastTheList[12] = char(0x80);
    QTest::newRow("bad checksum") << QStringList{"--fault", "bad-checksum", "--record",
                                                 good.toHex()};
    QTest::newRow("display command 0")
        << QStringList{"--record", withValidChecksum(noDisplayItem).toHex()};
    QTest::newRow("buzzer position 4")
        << QStringList{"--record", withValidChecksum(buzzerPastTheList).toHex()};
    QTest::newRow("display position 7")
        << QStringList{"--record", withValidChecksum(displayPastTheList).toHex()};
}

void ExchangeTest::unshowableRecordChangesNothing() {
    QFETCH(QStringList, args);
    ExchangeFixture f(args + QStringList{"--no-pacing"});
    const QStringList before = windowValues(f.window);
    f.click("Odbierz_Command");
    QVERIFY(f.waitForMessage());
    QCOMPARE(f.shownIds(), std::vector<int>{103});
    QVERIFY(f.shown[0].controlsEnabled);
    QCOMPARE(windowValues(f.window), before);
    QCOMPARE(f.window.teamMaskLow(), 0);
}

void ExchangeTest::noAnswerEndsByTimeout() {
    ExchangeFixture f({"--fault", "silent"});
    f.click("Odbierz_Command");
    QVERIFY(f.waitForMessage(4000));
    QCOMPARE(f.shownIds(), std::vector<int>{102});
    QVERIFY2(f.shown[0].ms >= 1950 && f.shown[0].ms < 2600,
             qPrintable(QString::number(f.shown[0].ms)));
    QVERIFY(f.shown[0].controlsEnabled);
    QVERIFY(!f.window.port().isOpen());
    QVERIFY(!f.window.findChild<QTimer*>("Odbieraj_Timer")->isActive());
}

void ExchangeTest::lateAnswerCompletesAndNoTimeoutFollows() {
    // 23 bytes at 1200 baud take about 190 ms: the answer is whole at about 1.7 s, late in the
    // exchange yet with room for a loaded machine.
    ExchangeFixture f({"--fault", "delay=1500"});
    f.click("Przeslij_Command");
    QVERIFY(f.waitForMessage(3000));
    QTest::qWait(600);
    QCOMPARE(f.shownIds(), std::vector<int>{104});
    QVERIFY2(f.shown[0].ms > 1650, qPrintable(QString::number(f.shown[0].ms)));
}

void ExchangeTest::strayBytesBeforeAnAnswerInOneBatch() {
    ExchangeFixture f({"--fault", "stray", "--no-pacing"});
    f.click("Przeslij_Command");
    QVERIFY(f.waitForMessage());
    QCOMPARE(f.shownIds(), std::vector<int>{104});
    QVERIFY2(f.shown[0].ms < 500, qPrintable(QString::number(f.shown[0].ms)));
}

void ExchangeTest::controlsAreLockedWhileAnExchangeRuns() {
    ExchangeFixture f({"--fault", "silent"});
    auto& w = f.window;
    control<QWidget>(w, "LightingTime_Text(1)")->setFocus();
    f.click("Odbierz_Command");
    QVERIFY(!f.controlsEnabled());
    QVERIFY(control<QWidget>(w, "About_Command")->isEnabled());
    QVERIFY(control<QWidget>(w, "AdresH_Check(3)")->isEnabled());
    QVERIFY(w.findChild<QTimer*>("Odbieraj_Timer")->isActive());
    QVERIFY(w.findChild<QTimer*>("TimeOut_Timer")->isActive());
    QVERIFY(w.port().isOpen());
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(w, "AdresL_Check(0)"));
    QVERIFY(f.waitForMessage());
    QVERIFY(f.controlsEnabled());
}

void ExchangeTest::portErrorsGiveTheirMessages() {
    ExchangeFixture f({"--no-pacing"});
    f.window.setSystemReader(machineWithAdapterAt("/dev/orv52-no-such-port"));
    f.click("Odbierz_Command");
    QCOMPARE(f.shownIds(), std::vector<int>{106});
    QVERIFY(f.controlsEnabled());

    const QString line = f.simulator->linePath();
    f.window.setSystemReader(machineWithAdapterAt(line));
    QSerialPort holder(line);
    QVERIFY(holder.open(QIODevice::ReadWrite));
    f.shown.clear();
    f.click("Przeslij_Command");
    QCOMPARE(f.shownIds(), std::vector<int>{105});
    QVERIFY(f.controlsEnabled());
    QVERIFY(!f.window.findChild<QTimer*>("TimeOut_Timer")->isActive());

    holder.close();
    f.shown.clear();
    f.click("Przeslij_Command");
    QVERIFY(f.waitForMessage());
    QCOMPARE(f.shownIds(), std::vector<int>{104});
}

void ExchangeTest::overflowingFieldSendsNothing() {
    ExchangeFixture f({"--log", "--no-pacing"});
    control<QLineEdit>(f.window, "LightingTime_Text(1)")->setText("256");
    f.click("Przeslij_Command");
    QTest::qWait(300);
    QVERIFY(f.shown.empty());
    QVERIFY(f.controlsEnabled());
    QVERIFY(!f.window.port().isOpen());
    QVERIFY(!f.window.findChild<QTimer*>("Odbieraj_Timer")->isActive());
    f.simulator->stop();
    QVERIFY(!f.simulator->log().contains("RX"));
}

void ExchangeTest::pulledCableEndsByTimeoutAndTheNextExchangeWorks() {
    ExchangeFixture f({"--fault", "delay=500"});
    f.click("Odbierz_Command");
    QTest::qWait(100);
    f.simulator->stop();
    QVERIFY(f.waitForMessage(4000));
    QCOMPARE(f.shownIds(), std::vector<int>{102});
    QVERIFY(f.controlsEnabled());

    ReceiverSimulator replacement({"--no-pacing"});
    const QString& line = replacement.linePath();
    f.window.setSystemReader(machineWithAdapterAt(line));
    f.shown.clear();
    f.click("Przeslij_Command");
    QVERIFY(f.waitForMessage());
    QCOMPARE(f.shownIds(), std::vector<int>{104});
}

// A line whose output is stopped: the program's write cannot be handed over and the start fails
// after the port has been opened. The failure is no port error
// the operator can act on, so nothing is shown; the controls come back, and whichever port is
// chosen next is the one that is opened.
void ExchangeTest::failedWriteShowsNothingAndGivesTheControlsBack() {
    ExchangeFixture f({"--no-pacing"});
    PtyReceiverEnd stuckLine;
    const QString line = QString::fromStdString(stuckLine.devicePath());
    f.window.setSystemReader(machineWithAdapterAt(line));
    const int filler = ::open(stuckLine.devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(filler >= 0);
    termios raw{};
    tcgetattr(filler, &raw);
    cfmakeraw(&raw);
    tcsetattr(filler, TCSANOW, &raw);
    // The line's output is stopped, as by a flow-control stop: the port's flush at opening
    // empties its buffers but does not restart it, so the request cannot be handed over.
    QCOMPARE(tcflow(filler, TCOOFF), 0);

    f.click("Przeslij_Command");
    QVERIFY(f.shown.empty());
    QVERIFY(f.controlsEnabled());
    QVERIFY(!f.window.findChild<QTimer*>("TimeOut_Timer")->isActive());

    f.click("Port_Option(2)");
    QVERIFY(!f.window.port().isOpen());
    QCOMPARE(f.window.port().comPort(), 2);
    ::close(filler);
}

QTEST_MAIN(ExchangeTest)
#include "test_exchange.moc"
