#include "link/port_name.h"
#include "link/serial_port_control.h"

#include <QTest>

using orv52::NumberedError;
using orv52::SerialPortControl;

class PortNameTest : public QObject {
    Q_OBJECT

private slots:
    void comNumberNamesSystemDevice_data() {
        QTest::addColumn<int>("portNumber");
        QTest::addColumn<QString>("device");
#ifdef Q_OS_WIN
        QTest::newRow("COM 1") << 1 << "COM1";
        QTest::newRow("COM 2") << 2 << "COM2";
        QTest::newRow("COM 4") << 4 << "COM4";
#else
        QTest::newRow("COM 1") << 1 << "/dev/ttyS0";
        QTest::newRow("COM 2") << 2 << "/dev/ttyS1";
        QTest::newRow("COM 4") << 4 << "/dev/ttyS3";
#endif
    }

    void comNumberNamesSystemDevice() {
        QFETCH(int, portNumber);
        QFETCH(QString, device);
        QCOMPARE(orv52::comPortDeviceName(portNumber), device);
    }

    // A number beyond the four opens the system's own device of that number.
    void defaultResolverOpensSystemDevice() {
        SerialPortControl port;
        port.setComPort(100);
        try {
            port.open();
            QFAIL("/dev/ttyS99 opened");
        } catch (const NumberedError& error) {
            QCOMPARE(error.number(), orv52::error_number::InvalidPortNumber);
        }
    }
};

QTEST_GUILESS_MAIN(PortNameTest)
#include "test_port_name.moc"
