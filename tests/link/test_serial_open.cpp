#include "link/serial_port_control.h"
#include "port_helpers.h"
#include "support/pty_receiver_end.h"
#include "support/unprivileged.h"

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
using orv52::SerialPortEntry;
using orv52::SerialSystemView;
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

    // Qt reports a denied access as it reports a held lock; the device's permissions tell them
    // apart, and the error names the group the user needs.
    void deviceTheUserMayNotOpenIsAccessDenied() {
        PtyReceiverEnd receiver;
        SerialPortControl port;
        useDevice(port, receiver.devicePath());
        {
            const DeniedDevice denied(receiver.devicePath());
            if (!denied.denied())
                QSKIP("the test cannot give up root to meet a device's permissions");
            try {
                port.open();
                QFAIL("a device without permissions opened");
            } catch (const orv52::PortAccessDenied& error) {
                QCOMPARE(error.number(), error_number::PortAccessDenied);
                QCOMPARE(error.device(), QString::fromStdString(receiver.devicePath()));
                QCOMPARE(error.group(), QString::fromStdString(denied.owningGroup()));
                QVERIFY(!error.group().isEmpty());
            }
            QVERIFY(!port.isOpen());
        }
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

    // What the tool tips and the port listing name is what opens: the machine's devices, its
    // kernel record and the pins go through one resolution for both.
    void whatIsNamedIsWhatOpens_data() {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<int>("comPort");
        QTest::addColumn<int>("reached"); // which of the lines A, B, C the choice leads to
        // Lines A, B, C as ttyS0 (a UART), ttyS1 (none recorded behind it) and ttyUSB0.
        QTest::newRow("UART") << "uarts" << 1 << 0;
        QTest::newRow("placeholder gives way to adapter") << "uarts" << 2 << 2;
        QTest::newRow("adapter first without UARTs") << "adapters" << 1 << 2;
        QTest::newRow("pinned") << "pinned" << 3 << 1;
        QTest::newRow("device named") << "uarts" << 0 << 1;
    }

    void whatIsNamedIsWhatOpens() {
        QFETCH(QString, machine);
        QFETCH(int, comPort);
        QFETCH(int, reached);
        std::array<PtyReceiverEnd, 3> lines;
        const auto path = [&](int line) {
            return QString::fromStdString(lines[line].devicePath());
        };
        SerialPortControl port;
        port.resolver().setSystemReader([&] {
            if (machine == "adapters")
                return SerialSystemView{{{"ttyUSB0", path(2), {}, {}}}, {}, {}};
            return SerialSystemView{{{"ttyS0", path(0), {}, {}},
                                     {"ttyS1", path(1), {}, {}},
                                     {"ttyUSB0", path(2), {}, {}}},
                                    {{"ttyS0", true}, {"ttyS1", false}},
                                    {}};
        });
        if (machine == "pinned")
            port.resolver().setPins({{comPort, path(1)}});
        if (comPort == 0)
            port.setDevice(path(reached));
        else
            port.setComPort(comPort);
        const QString named =
            comPort == 0 ? path(reached) : port.resolver().resolve(comPort).device;
        QCOMPARE(named, path(reached));
        port.open();
        QCOMPARE(port.deviceName(), named);
        port.write(std::array<std::uint8_t, 1>{0x5A});
        QCOMPARE(lines[reached].readExactly(1, 2000), std::vector<std::uint8_t>{0x5A});
    }

    // The number is mapped over the listed devices afresh at each opening: an adapter that comes
    // back under another name is found again.
    void portNumberReachesTheListedDeviceMappedToIt() {
        PtyReceiverEnd onBoard;
        PtyReceiverEnd adapter;
        PtyReceiverEnd replugged;
        std::vector<SerialPortEntry> listed{
            {"ttyS0", QString::fromStdString(onBoard.devicePath()), {}, {}},
            {"ttyUSB0", QString::fromStdString(adapter.devicePath()), {}, {}},
        };
        int listings = 0;
        SerialPortControl port;
        port.resolver().setSystemReader([&] {
            ++listings;
            return SerialSystemView{listed, {}, {}};
        });
        port.setComPort(2);
        port.open();
        QCOMPARE(listings, 1);
        port.write(std::array<std::uint8_t, 1>{0x21});
        QCOMPARE(adapter.readExactly(1, 2000), std::vector<std::uint8_t>{0x21});
        QVERIFY(onBoard.readExactly(1, 50).empty());
        port.close();

        listed[1] = {"ttyUSB1", QString::fromStdString(replugged.devicePath()), {}, {}};
        port.open();
        QCOMPARE(listings, 2);
        port.write(std::array<std::uint8_t, 1>{0x22});
        QCOMPARE(replugged.readExactly(1, 2000), std::vector<std::uint8_t>{0x22});
        port.close();

        // Gone between the listing and the opening.
        listed[1].systemLocation = QStringLiteral("/dev/orv52-unplugged-adapter");
        QCOMPARE(openFailure(port), error_number::InvalidPortNumber);
    }
};

QTEST_GUILESS_MAIN(SerialOpenTest)
#include "test_serial_open.moc"
