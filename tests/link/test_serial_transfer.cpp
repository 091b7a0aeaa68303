#include "link/serial_port_control.h"
#include "port_helpers.h"
#include "support/pty_receiver_end.h"

#include <QDeadlineTimer>
#include <QTest>
#include <QThread>
#include <cstdint>
#include <memory>
#include <vector>

using orv52::SerialPortControl;

namespace {

std::vector<std::uint8_t> countingBytes(std::size_t count, std::uint8_t first = 0) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(first + i);
    return bytes;
}

// Polls without ever running the event loop, so only the control itself can fetch the bytes.
int pendingWithoutEventLoop(SerialPortControl& port, int wanted) {
    const QDeadlineTimer deadline(2000);
    int pending = port.pendingCount();
    while (pending < wanted && !deadline.hasExpired()) {
        QThread::msleep(5);
        pending = port.pendingCount();
    }
    return pending;
}

} // namespace

class SerialTransferTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PtyReceiverEnd> receiver_;
    std::unique_ptr<SerialPortControl> port_;

private slots:
    void init() {
        receiver_ = std::make_unique<PtyReceiverEnd>();
        port_ = std::make_unique<SerialPortControl>();
        useDevice(*port_, receiver_->devicePath());
        port_->open();
    }

    void cleanup() {
        port_.reset();
        receiver_.reset();
    }

    void everyByteValueReachesTheReceiver() {
        port_->write(allByteValues());
        QCOMPARE(receiver_->readExactly(256, 2000), allByteValues());
    }

    void everyByteValueReachesTheProgram() {
        receiver_->write(allByteValues());
        QCOMPARE(receive(*port_, 256), allByteValues());
    }

    void pendingCountFetchesWhatTheSystemHolds() {
        receiver_->write(countingBytes(21));
        QCOMPARE(pendingWithoutEventLoop(*port_, 21), 21);
    }

    // The input buffer holds 1024 bytes; the rest waits in the system and is not lost.
    void pendingCountIsCappedWithoutLosingBytes() {
        const auto sent = countingBytes(1500, 7);
        receiver_->write(sent);
        QCOMPARE(pendingWithoutEventLoop(*port_, 1024), 1024);
        QTRY_COMPARE(receiver_->waitingAtProgramSide(), 476);
        QCOMPARE(port_->pendingCount(), 1024);
        QCOMPARE(receive(*port_, sent.size()), sent);
    }

    void discardInputDropsQtAndSystemBytes() {
        receiver_->write(countingBytes(10));
        QCOMPARE(pendingWithoutEventLoop(*port_, 10), 10);
        receiver_->write(countingBytes(10, 100));
        const QDeadlineTimer deadline(2000);
        while (receiver_->waitingAtProgramSide() < 10 && !deadline.hasExpired())
            QThread::msleep(5);
        QCOMPARE(receiver_->waitingAtProgramSide(), 10);

        port_->discardInput();
        QCOMPARE(port_->pendingCount(), 0);
        receiver_->write(std::vector<std::uint8_t>{0xAA});
        QCOMPARE(receive(*port_, 2, 300), std::vector<std::uint8_t>{0xAA});
    }

    // Qt stops reading from the system while its buffer is full; a discard lets it go on.
    void discardInputOfFullBufferResumesReading() {
        receiver_->write(countingBytes(1100));
        QCOMPARE(pendingWithoutEventLoop(*port_, 1024), 1024);
        QTRY_COMPARE(receiver_->waitingAtProgramSide(), 76);
        QTest::qWait(20); // Qt's notifier meets the full buffer and stops
        port_->discardInput();
        receiver_->write(countingBytes(3, 200));
        QTest::qWait(100);
        QCOMPARE(receiver_->waitingAtProgramSide(), 0);
        QCOMPARE(receive(*port_, 4, 300), countingBytes(3, 200));
    }

    // Unread input, even a full buffer of it, must not stop a request from going out.
    void writeGoesOutWithFullInputBuffer() {
        receiver_->write(countingBytes(1100));
        QCOMPARE(pendingWithoutEventLoop(*port_, 1024), 1024);
        QTRY_COMPARE(receiver_->waitingAtProgramSide(), 76);
        port_->write(countingBytes(21, 50));
        QCOMPARE(receiver_->readExactly(21, 2000), countingBytes(21, 50));
    }
};

QTEST_GUILESS_MAIN(SerialTransferTest)
#include "test_serial_transfer.moc"
