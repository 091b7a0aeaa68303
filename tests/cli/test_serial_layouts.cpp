#include "cli_run.h"
#include "support/receiver_simulator.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <memory>
#include <unistd.h>

namespace {

using Run = CliRun;

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return finishCli(process);
}

// orv52-cli on a machine whose serial devices are `devices` ("{A}" and the like standing for the
// lines of the simulators), as the kernel of `style` lays them out.
Run runOnLayout(const QString& style, QStringList devices, const QStringList& cliArguments,
                const std::map<QString, QString>& lines) {
    for (QString& device : devices)
        for (const auto& [name, line] : lines)
            device.replace(name, line);
    return run(QStringLiteral("bash"),
               QStringList{QStringLiteral(ORV52_SERIAL_LAYOUT), style} + devices +
                   QStringList{QStringLiteral("--"), QStringLiteral(ORV52_CLI)} + cliArguments);
}

QString firmwareVersion(const QString& configuration) {
    const auto match =
        QRegularExpression(QStringLiteral("^wersja = (\\S+)$"), QRegularExpression::MultilineOption)
            .match(configuration);
    return match.captured(1);
}

using Reads = QList<QPair<QString, QString>>; // COMn, the firmware version it reaches

const QString kNoOthers = QStringLiteral("Innych portów szeregowych brak.\n");

} // namespace

// Both programs on made-up machines: Qt's own enumeration and the kernel's records, faked in a
// private mount namespace, against receiver simulators standing in for the ports.
class SerialLayoutsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (geteuid() != 0)
            QSKIP("faking the machine's serial devices needs root (a private mount namespace)");
        // A container may refuse the namespace or the mounts over /sys and /dev.
        const Run probe = run(QStringLiteral("bash"), {ORV52_SERIAL_LAYOUT, "new", "--", "true"});
        if (probe.exitCode != 0)
            QSKIP(qPrintable("the machine's serial devices cannot be faked here: " + probe.err));
    }

    void comNumbersReachWhatTheKernelRecords_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QStringList>("pins");
        QTest::addColumn<QString>("ports");
        QTest::addColumn<Reads>("reads");
        const QStringList placeholders{"ttyS0=none", "ttyS1=none", "ttyS2=none", "ttyS3=none"};
        const QString ftdi = QStringLiteral("ttyUSB0={B}@FT232R_USB_UART@FTDI");
        const QString cp2102 = QStringLiteral("ttyUSB1={C}@CP2102_USB_to_UART@Silicon_Labs");
        const QString byId = QStringLiteral("/dev/serial/by-id/usb-Silicon_Labs_CP2102-if00");
        const QString adapters = QStringLiteral("COM1  /dev/ttyUSB0: FT232R USB UART (FTDI)\n"
                                                "COM2  /dev/ttyUSB1: CP2102 USB to UART "
                                                "(Silicon Labs)\n");
        const QString lastTwoAbsent = QStringLiteral("COM3  /dev/ttyS2: brak urządzenia\n"
                                                     "COM4  /dev/ttyS3: brak urządzenia\n");
        // On the old kernel Qt opens a ttyS to probe it, which the pseudo-terminal behind an
        // on-board UART here fails, as a device the user may not open does.
        for (const QString style : {"new", "old"}) {
            const auto row = [&](const char* layout) -> QTestData& {
                return QTest::addRow("%s, %s kernel", layout, qPrintable(style)) << style;
            };
            row("on-board UART, three placeholders, an adapter")
                << QStringList{"ttyS0=uart@{A}", "ttyS1=none", "ttyS2=none", "ttyS3=none", ftdi}
                << QStringList{}
                << "COM1  /dev/ttyS0: port szeregowy\n"
                   "COM2  /dev/ttyUSB0: FT232R USB UART (FTDI)\n" +
                       lastTwoAbsent + kNoOthers
                << Reads{{"COM1", "1.1"}, {"COM2", "2.2"}};
            row("laptop, four placeholders, an adapter")
                << placeholders + QStringList{ftdi} << QStringList{}
                << "COM1  /dev/ttyUSB0: FT232R USB UART (FTDI)\n"
                   "COM2  /dev/ttyS1: brak urządzenia\n" +
                       lastTwoAbsent + kNoOthers
                << Reads{{"COM1", "2.2"}};
            row("laptop, two adapters and an on-board UART beyond COM 4")
                << placeholders + QStringList{cp2102, ftdi, "ttyS4=uart", "ttyS5=none"}
                << QStringList{}
                << adapters + lastTwoAbsent +
                       "Inne porty szeregowe (ścieżkę podaj w --port):\n"
                       "  /dev/ttyS4: port szeregowy\n"
                << Reads{{"COM1", "2.2"}, {"COM2", "3.3"}};
            row("on-board UART behind COM 2, an adapter")
                << QStringList{"ttyS0=none", "ttyS1=uart@{A}", "ttyS2=none", "ttyS3=none", ftdi}
                << QStringList{}
                << "COM1  /dev/ttyUSB0: FT232R USB UART (FTDI)\n"
                   "COM2  /dev/ttyS1: port szeregowy\n" +
                       lastTwoAbsent + kNoOthers
                << Reads{{"COM1", "2.2"}, {"COM2", "1.1"}};
            row("an adapter pinned by its by-id name")
                << placeholders + QStringList{ftdi, cp2102, byId + "=ttyUSB1"}
                << QStringList{"--com", "1=" + byId}
                << "COM1  " + byId +
                       " → /dev/ttyUSB1: CP2102 USB to UART (Silicon Labs), przypisany\n"
                       "COM2  /dev/ttyUSB0: FT232R USB UART (FTDI)\n" +
                       lastTwoAbsent + kNoOthers
                << Reads{{"COM1", "3.3"}, {"COM2", "2.2"}};
        }
    }

    void comNumbersReachWhatTheKernelRecords() {
        QFETCH(QString, style);
        QFETCH(QStringList, devices);
        QFETCH(QStringList, pins);
        QFETCH(QString, ports);
        QFETCH(Reads, reads);
        ReceiverSimulator onBoard({"--no-pacing", "--version", "11"});
        ReceiverSimulator firstAdapter({"--no-pacing", "--version", "22"});
        ReceiverSimulator secondAdapter({"--no-pacing", "--version", "33"});
        const std::map<QString, QString> lines{{"{A}", onBoard.linePath()},
                                               {"{B}", firstAdapter.linePath()},
                                               {"{C}", secondAdapter.linePath()}};

        const Run listing = runOnLayout(style, devices, QStringList{"ports"} + pins, lines);
        QVERIFY2(listing.exitCode == 0, qPrintable(listing.err));
        QCOMPARE(listing.out, ports);
        for (const auto& [comPort, version] : reads) {
            const Run read =
                runOnLayout(style, devices, QStringList{"read", "--port", comPort} + pins, lines);
            QVERIFY2(read.exitCode == 0, qPrintable(comPort + ": " + read.err));
            QCOMPARE(firmwareVersion(read.out), version);
        }
    }

    // A pin is checked before anything else happens: no window opens, no port is touched.
    void badPinsAreRefusedAtStart_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("pin");
        QTest::addColumn<QString>("reason");
        for (const QString program : {ORV52_CLI, ORV52_PROGRAM}) {
            const QString name = program.section('/', -1);
            QTest::addRow("%s: COM 5", qPrintable(name)) << program << "5=/dev/ttyUSB0"
                                                         << "numer portu musi być od 1 do 4";
        }
    }

    void badPinsAreRefusedAtStart() {
        QFETCH(QString, program);
        QFETCH(QString, pin);
        QFETCH(QString, reason);
        // Without a display a window could not open: a refusal must come first.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        const QStringList command = program.endsWith("cli") ? QStringList{"ports"} : QStringList{};
        const Run refused = run(program, command + QStringList{"--com", pin}, environment);
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains(reason), qPrintable(refused.err));
    }
};

QTEST_GUILESS_MAIN(SerialLayoutsTest)
#include "test_serial_layouts.moc"
