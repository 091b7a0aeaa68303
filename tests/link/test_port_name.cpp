#include "link/port_name.h"
#include "link/port_resolver.h"

#include <QTest>

class PortNameTest : public QObject {
    Q_OBJECT

private slots:
    void comNumberNamesSystemDevice_data() {
        QTest::addColumn<int>("portNumber");
        QTest::addColumn<QString>("linuxDevice");
        QTest::addColumn<QString>("windowsDevice");
        QTest::newRow("COM 1") << 1 << "/dev/ttyS0"
                               << "COM1";
        QTest::newRow("COM 2") << 2 << "/dev/ttyS1"
                               << "COM2";
        QTest::newRow("COM 4") << 4 << "/dev/ttyS3"
                               << "COM4";
    }

    void comNumberNamesSystemDevice() {
        QFETCH(int, portNumber);
        QFETCH(QString, linuxDevice);
        QFETCH(QString, windowsDevice);
        QCOMPARE(orv52::linuxComPortDevice(portNumber), linuxDevice);
        QCOMPARE(orv52::windowsComPortDevice(portNumber), windowsDevice);
    }

    // "COM1".."COM4" in any case are the window's numbers; anything else names a device.
    void portNamesAreNumbersOrDevices_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number"); // 0: a device
        QTest::newRow("COM1") << "COM1" << 1;
        QTest::newRow("any case") << "com4" << 4;
        QTest::newRow("beyond four") << "COM5" << 0;
        QTest::newRow("path") << "/dev/ttyUSB0" << 0;
    }

    void portNamesAreNumbersOrDevices() {
        QFETCH(QString, name);
        QFETCH(int, number);
        const orv52::PortChoice choice = orv52::PortResolver::choiceNamed(name);
        if (number == 0)
            QCOMPARE(std::get<QString>(choice), name);
        else
            QCOMPARE(std::get<int>(choice), number);
    }
};

QTEST_GUILESS_MAIN(PortNameTest)
#include "test_port_name.moc"
