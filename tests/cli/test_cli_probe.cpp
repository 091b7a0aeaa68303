#include "cli_run.h"
#include "link/serial_port_control.h"
#include "messages/finding_text.h"
#include "support/receiver_simulator.h"

#include <QTest>

namespace {

// A line of orv52-cli's output, whole.
bool hasLine(const QString& text, const QString& line) {
    return text.split(QLatin1Char('\n')).contains(line);
}

} // namespace

// ports --probe and --port auto, with receiver simulators on pseudo-terminals pinned to COM
// numbers. Whatever serial ports the machine has are probed too; only the pinned ones are
// checked.
class TestCliProbe : public QObject {
    Q_OBJECT

private slots:
    void probeTellsWhatAnswersOnEachPort() {
        ReceiverSimulator receiver({"--version", "21", "--log"});
        ReceiverSimulator silent({"--fault", "silent"});
        ReceiverSimulator echo({"--fault", "loopback"});
        ReceiverSimulator held({});
        orv52::SerialPortControl holder;
        holder.setDevice(held.linePath());
        holder.open();
        const auto run = runCli({"ports", "--probe", "--com", "1=" + receiver.linePath(), "--com",
                                 "2=" + silent.linePath(), "--com", "3=" + held.linePath(), "--com",
                                 "4=" + echo.linePath()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(hasLine(run.out, "COM1  " + receiver.linePath() + ": odbiornik, wersja 2.1"),
                 qPrintable(run.out));
        QVERIFY2(hasLine(run.out, "COM2  " + silent.linePath() + ": cisza"), qPrintable(run.out));
        QVERIFY2(
            hasLine(run.out, "COM3  " + held.linePath() + ": Port zajęty, ustaw inny port !!!"),
            qPrintable(run.out));
        const auto echoed =
            QString::fromStdString(orv52::findingText({orv52::Finding::Echo, {}, {}}));
        QVERIFY2(hasLine(run.out, "COM4  " + echo.linePath() + ": " + echoed), qPrintable(run.out));
        // Only the query went out: nothing that changes a receiver.
        receiver.stop();
        QCOMPARE(receiver.log().count("RX "), 1);
        QVERIFY(receiver.log().contains("RX 43 46 47 00 3F"));
    }

    void probeWithoutAReceiverEndsNoAnswer() {
        ReceiverSimulator silent({"--fault", "silent"});
        const auto run = runCli({"ports", "--probe", "--com", "3=" + silent.linePath()});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(hasLine(run.out, "COM3  " + silent.linePath() + ": cisza"), qPrintable(run.out));
    }

    void autoUsesTheOnePortWhereAReceiverAnswers() {
        ReceiverSimulator receiver({"--version", "23"});
        ReceiverSimulator silent({"--fault", "silent"});
        const auto run = runCli({"read", "--port", "auto", "--com", "2=" + silent.linePath(),
                                 "--com", "3=" + receiver.linePath()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("\nwersja = 2.3\n"));
        QCOMPARE(run.err,
                 "orv52-cli: odbiornik odpowiada na porcie COM3 (" + receiver.linePath() + ")\n");
    }

    void autoRefusesNoneAndSeveralNamingThem() {
        ReceiverSimulator first({"--version", "21"});
        ReceiverSimulator second({"--version", "22"});
        ReceiverSimulator silent({"--fault", "silent"});
        const auto several = runCli({"verify", "--port", "auto", "--com", "1=" + first.linePath(),
                                     "--com", "2=" + second.linePath(), "-"},
                                    sampleFile());
        QCOMPARE(several.exitCode, 2);
        QVERIFY2(several.err.contains("odbiornik odpowiada na kilku portach: COM1 (" +
                                      first.linePath() + "), COM2 (" + second.linePath() + ")"),
                 qPrintable(several.err));

        const auto none = runCli({"read", "--port", "auto", "--com", "4=" + silent.linePath()});
        QCOMPARE(none.exitCode, 3);
        QVERIFY2(none.err.contains("nie odpowiada na żadnym porcie (sprawdzono: ") &&
                     none.err.contains("COM4 (" + silent.linePath() + ")"),
                 qPrintable(none.err));
        QVERIFY(none.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliProbe)
#include "test_cli_probe.moc"
