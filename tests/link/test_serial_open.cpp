#include "link/serial_port_control.h"
#include "port_helpers.h"
#include "support/pty_receiver_end.h"

#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <cstdint>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

using orv52::SerialPortControl;
namespace error_number = orv52::error_number;

class SerialOpenTest : public QObject {
    Q_OBJECT

private slots:
    void absentDeviceIsInvalidPortNumber() {
        QTemporaryDir dir;
        SerialPortControl port;
        useDevice(port, dir.filePath("no-such-port").toStdString());
        QCOMPARE(openFailure(port), error_number::InvalidPortNumber);
        QVERIFY(!port.isOpen());
    }

    // A device node with nothing behind it fails with EIO; a pseudo-terminal whose slave is still
    // locked does the same.
    void deviceWithoutHardwareIsInvalidPortNumber() {
        const int master = posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0);
        QCOMPARE(grantpt(master), 0);
        SerialPortControl port;
        useDevice(port, ptsname(master));
        const int number = openFailure(port);
        ::close(master);
        QCOMPARE(number, error_number::InvalidPortNumber);
    }

    void portHeldByAnotherOpenerIsAlreadyOpen() {
        PtyReceiverEnd receiver;
        SerialPortControl holder;
        SerialPortControl port;
        useDevice(holder, receiver.devicePath());
        useDevice(port, receiver.devicePath());
        holder.open();
        QCOMPARE(openFailure(port), error_number::PortAlreadyOpen);
        QVERIFY(!port.isOpen());

        holder.close();
        QCOMPARE(openFailure(port), 0);
    }

    void otherOpenFailureHasItsOwnNumber() {
        SerialPortControl port;
        useDevice(port, "/dev/null");
        QCOMPARE(openFailure(port), error_number::PortOpenFailed);
        QVERIFY(!port.isOpen());
    }

    void lineSettingsAfterOpen() {
        PtyReceiverEnd receiver;
        SerialPortControl port;
        useDevice(port, receiver.devicePath());
        port.open();
        const termios settings = receiver.programSideSettings();
        QCOMPARE(cfgetispeed(&settings), speed_t(B1200));
        QCOMPARE(cfgetospeed(&settings), speed_t(B1200));
        QCOMPARE(settings.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(settings.c_iflag & (IXON | IXOFF | ISTRIP | ICRNL | INLCR | IGNCR), tcflag_t(0));
        QVERIFY(settings.c_cflag & CREAD);
    }

    void portNumberChoosesTheDevice() {
        PtyReceiverEnd third;
        PtyReceiverEnd other;
        SerialPortControl port;
        port.setPortNameResolver([&](int portNumber) {
            return QString::fromStdString((portNumber == 3 ? third : other).devicePath());
        });
        QCOMPARE(port.commPort(), 1);
        port.setCommPort(3);
        port.open();
        port.write(std::array<std::uint8_t, 1>{0x5A});
        QCOMPARE(third.readExactly(1, 2000), std::vector<std::uint8_t>{0x5A});
        QVERIFY(other.readExactly(1, 50).empty());
    }
};

QTEST_GUILESS_MAIN(SerialOpenTest)
#include "test_serial_open.moc"
