#include "link/serial_port_control.h"
#include "port_helpers.h"
#include "support/pty_receiver_end.h"

#include <QTest>
#include <array>
#include <cstdint>
#include <optional>
#include <time.h>
#include <vector>

using orv52::NumberedError;
using orv52::SerialPortControl;
namespace error_number = orv52::error_number;

namespace {

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

const std::array<std::uint8_t, 21> kFrame{};

int writeFailure(SerialPortControl& port) {
    try {
        port.write(kFrame);
    } catch (const NumberedError& error) {
        return error.number();
    }
    return 0;
}

} // namespace

class SerialFailureTest : public QObject {
    Q_OBJECT

private slots:
    // A closed port ignores the discard and leaves the device alone.
    void discardInputOnClosedPortDoesNothing() {
        PtyReceiverEnd receiver;
        SerialPortControl port;
        useDevice(port, receiver.devicePath());
        receiver.write(std::vector<std::uint8_t>{1, 2, 3});
        QTRY_COMPARE(receiver.waitingAtProgramSide(), 3);
        port.discardInput();
        QVERIFY(!port.isOpen());
        QCOMPARE(port.pendingCount(), 0);
        QCOMPARE(receiver.waitingAtProgramSide(), 3);
    }

    void writeOnClosedPortFails() {
        SerialPortControl port;
        QCOMPARE(writeFailure(port), error_number::PortWriteFailed);
    }

    // A pulled cable: the port closes itself, stays quiet, and a port opened later works.
    void farEndClosedLeavesPortClosedQuietAndReusable() {
        SerialPortControl port;
        {
            PtyReceiverEnd receiver;
            useDevice(port, receiver.devicePath());
            port.open();
            receiver.closeEnd();

            const double cpuBefore = processCpuSeconds();
            QTest::qWait(600);
            const double cpuUsed = processCpuSeconds() - cpuBefore;
            QVERIFY2(cpuUsed < 0.15, qPrintable(QString("%1 s of CPU").arg(cpuUsed)));
            QVERIFY(!port.isOpen());
            QCOMPARE(port.pendingCount(), 0);
            port.discardInput();
            QVERIFY(!port.isOpen());
        }

        PtyReceiverEnd next;
        useDevice(port, next.devicePath());
        port.open();
        port.write(allByteValues());
        QCOMPARE(next.readExactly(256, 2000), allByteValues());
        next.write(allByteValues());
        QCOMPARE(receive(port, 256), allByteValues());
    }

    // The window's poll may notice the failure before the event loop does.
    void farEndClosedIsSeenByPoll() {
        PtyReceiverEnd receiver;
        SerialPortControl port;
        useDevice(port, receiver.devicePath());
        port.open();
        receiver.closeEnd();
        QCOMPARE(port.pendingCount(), 0);
        QVERIFY(!port.isOpen());
        // The next start really tries the device again, which is gone.
        QCOMPARE(openFailure(port), error_number::InvalidPortNumber);
    }

    // Bytes that arrived before the line died are the receiver's; a read past them is the port
    // failing, never a byte of value 0.
    void readFailingAfterFarEndClosedIsNoByte() {
        PtyReceiverEnd receiver;
        SerialPortControl port;
        useDevice(port, receiver.devicePath());
        port.open();
        receiver.write(std::vector<std::uint8_t>{0x4F, 0x4B});
        QTRY_COMPARE(port.pendingCount(), 2);
        receiver.closeEnd();
        QCOMPARE(port.readOne(), std::optional<std::uint8_t>{0x4F});
        QCOMPARE(port.readOne(), std::optional<std::uint8_t>{0x4B});
        QCOMPARE(port.readOne(), std::nullopt);
        QVERIFY(!port.isOpen());
        QCOMPARE(openFailure(port), error_number::InvalidPortNumber);
    }

    void writeAfterFarEndClosedFails() {
        PtyReceiverEnd receiver;
        SerialPortControl port;
        useDevice(port, receiver.devicePath());
        port.open();
        receiver.closeEnd();
        QCOMPARE(writeFailure(port), error_number::PortWriteFailed);
        QTRY_VERIFY(!port.isOpen());
    }
};

QTEST_GUILESS_MAIN(SerialFailureTest)
#include "test_serial_failure.moc"
