#include "link/com_port_map.h"

#include <QStringList>
#include <QTest>
#include <vector>

using orv52::ComPortAssignments;
using orv52::SerialPortEntry;

namespace {

// Listed ports by name, each at /dev/<name>.
std::vector<SerialPortEntry> listed(const QStringList& names) {
    std::vector<SerialPortEntry> ports;
    for (const QString& name : names)
        ports.push_back({name, QStringLiteral("/dev/") + name, {}, {}});
    return ports;
}

QStringList devices(const ComPortAssignments& assignments) {
    QStringList names;
    for (const auto& assignment : assignments)
        names << assignment.device;
    return names;
}

} // namespace

class ComPortMapTest : public QObject {
    Q_OBJECT

private slots:
    void linuxNumbering_data() {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("expected");
        const QStringList legacy{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("nothing listed") << QStringList{} << legacy;
        QTest::newRow("one adapter")
            << QStringList{"ttyUSB0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("on-board ttyS0 and two adapters")
            << QStringList{"ttyUSB1", "ttyS0", "ttyUSB0"}
            << QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS3"};
        QTest::newRow("on-board ttyS1 only")
            << QStringList{"ttyS1"}
            << QStringList{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("on-board ttyS1 and an adapter")
            << QStringList{"ttyS1", "ttyACM0"}
            << QStringList{"/dev/ttyACM0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("five adapters, the fifth beyond COM 4")
            << QStringList{"ttyUSB4", "ttyUSB3", "ttyUSB2", "ttyUSB1", "ttyUSB0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"};
        QTest::newRow("names in reading order, ACM before USB")
            << QStringList{"ttyUSB10", "ttyUSB2", "ttyACM1"}
            << QStringList{"/dev/ttyACM1", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyS3"};
        QTest::newRow("four on-board ports leave no number to adapters")
            << QStringList{"ttyS3", "ttyS2", "ttyS1", "ttyS0", "ttyUSB0"} << legacy;
        QTest::newRow("other serial devices are not COM ports")
            << QStringList{"ttyS4", "ttyAMA0", "rfcomm0", "ttyUSB0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
    }

    void linuxNumbering() {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, expected);
        QCOMPARE(devices(orv52::mapComPorts(listed(ports))), expected);
    }

    // The device a number reaches is the listed one, wherever the system put its node.
    void assignmentCarriesTheListedPort() {
        const std::vector<SerialPortEntry> ports{
            {"ttyS0", "/dev/ttyS0", {}, {}},
            {"ttyUSB0", "/dev/serial/ttyUSB0", "FT232R USB UART", "FTDI"},
        };
        const auto assignments = orv52::mapComPorts(ports);
        QCOMPARE(assignments[1].device, QStringLiteral("/dev/serial/ttyUSB0"));
        QVERIFY(assignments[1].hardware);
        QCOMPARE(assignments[1].hardware->description, QStringLiteral("FT232R USB UART"));
        QVERIFY(assignments[0].hardware);
        QVERIFY(!assignments[2].hardware);
    }

    void windowsNumbersStayTheirOwn() {
        const std::vector<SerialPortEntry> ports{
            {"COM3", "\\\\.\\COM3", "USB Serial Port", "FTDI"},
            {"COM7", "\\\\.\\COM7", {}, {}},
        };
        const auto assignments = orv52::windowsComPorts(ports);
        QCOMPARE(devices(assignments), (QStringList{"COM1", "COM2", "COM3", "COM4"}));
        QVERIFY(!assignments[0].hardware);
        QVERIFY(assignments[2].hardware);
    }

    void description_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("manufacturer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("adapter") << "FT232R USB UART"
                                 << "FTDI"
                                 << "/dev/ttyUSB0: FT232R USB UART (FTDI)";
        QTest::newRow("no manufacturer") << "USB Serial"
                                         << ""
                                         << "/dev/ttyUSB0: USB Serial";
        QTest::newRow("on-board port says nothing of itself") << ""
                                                              << ""
                                                              << "/dev/ttyUSB0: port szeregowy";
    }

    void description() {
        QFETCH(QString, description);
        QFETCH(QString, manufacturer);
        QFETCH(QString, expected);
        const orv52::ComPortAssignment assignment{
            "/dev/ttyUSB0", SerialPortEntry{"ttyUSB0", "/dev/ttyUSB0", description, manufacturer}};
        QCOMPARE(orv52::describeComPort(assignment), expected);
    }

    void descriptionOfANumberWithNothingBehindIt() {
        QCOMPARE(orv52::describeComPort({"/dev/ttyS2", std::nullopt}),
                 QStringLiteral("/dev/ttyS2: brak urządzenia"));
    }
};

QTEST_GUILESS_MAIN(ComPortMapTest)
#include "test_com_port_map.moc"
