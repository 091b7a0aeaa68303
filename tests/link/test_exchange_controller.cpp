#include "link/exchange_controller.h"
#include "port_helpers.h"
#include "protocol/answer_finding.h"
#include "protocol/configuration.h"
#include "protocol/requests.h"
#include "support/pty_receiver_end.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <vector>

using orv52::ExchangeController;
using Outcome = ExchangeController::Outcome;
using Batches = QList<QByteArray>;

Q_DECLARE_METATYPE(ExchangeController::Outcome)

namespace {

std::vector<std::uint8_t> programmingAnswer(const orv52::Record& frame) {
    std::vector<std::uint8_t> answer(frame.begin(), frame.end());
    answer.push_back('O');
    answer.push_back('K');
    return answer;
}

// The receiver's answer to the query: the query again, "OK", the record. `damaged` spoils its
// checksum.
std::vector<std::uint8_t> configurationAnswer(bool damaged) {
    const auto query = orv52::makeConfigurationQuery();
    std::vector<std::uint8_t> answer(query.begin(), query.end());
    answer.push_back('O');
    answer.push_back('K');
    orv52::Record record = orv52::makeProgrammingFrameTemplate();
    orv52::fillProgrammingFrame(record, orv52::Configuration{});
    if (damaged)
        record.back() ^= 0xFF;
    answer.insert(answer.end(), record.begin(), record.end());
    return answer;
}

QByteArray bytes(std::span<const std::uint8_t> span) {
    return {reinterpret_cast<const char*>(span.data()), static_cast<qsizetype>(span.size())};
}

// A receiver's line and the controller on the program's side of it.
struct ControlledLine {
    PtyReceiverEnd receiver;
    orv52::SerialPortControl port;
    ExchangeController exchange{port};
    ControlledLine() { useDevice(port, receiver.devicePath()); }
};

} // namespace

// The controller alone turns what arrives into an outcome and tells it once; the window looks
// at the answer on its poll tick, the command line as the bytes come.
class ExchangeControllerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<Outcome>(); }

    // run() ends within milliseconds of the answer's last byte, long before the 100 ms tick.
    void runEndsAsTheAnswerArrives() {
        ControlledLine line;
        PtyReceiverEnd& receiver = line.receiver;
        ExchangeController& exchange = line.exchange;
        QSignalSpy finished(&exchange, &ExchangeController::finished);
        orv52::Record frame = orv52::makeProgrammingFrameTemplate();
        orv52::fillProgrammingFrame(frame, orv52::Configuration{});

        QElapsedTimer sinceAnswer;
        QTimer::singleShot(20, [&] {
            receiver.write(programmingAnswer(frame));
            sinceAnswer.start();
        });
        QCOMPARE(exchange.run(frame), Outcome::ProgrammingDone);
        // The poll tick would end it 80 ms after the answer at the earliest. Built with the
        // sanitizers, with three busy loops on two cores, it ended at most 9 ms after it.
        QVERIFY2(sinceAnswer.elapsed() < 60, qPrintable(QString::number(sinceAnswer.elapsed())));
        QCOMPARE(finished.count(), 1);
        QVERIFY(!line.port.isOpen());
    }

    // The window's exchange decides on the poll tick only, whatever arrived before it.
    void startDecidesOnThePollTick() {
        ControlledLine line;
        PtyReceiverEnd& receiver = line.receiver;
        ExchangeController& exchange = line.exchange;
        QSignalSpy finished(&exchange, &ExchangeController::finished);
        QElapsedTimer sinceStart;
        sinceStart.start();
        exchange.start(orv52::makeConfigurationQuery());
        receiver.write(configurationAnswer(false));
        QVERIFY(finished.wait(1000));
        QVERIFY2(sinceStart.elapsed() >= ExchangeController::kPollIntervalMs - 5,
                 qPrintable(QString::number(sinceStart.elapsed())));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).value<Outcome>(), Outcome::ConfigurationReceived);
        QVERIFY(exchange.reading().value().configuration.has_value());
        QTest::qWait(2 * ExchangeController::kPollIntervalMs);
        QCOMPARE(finished.count(), 1);
    }

    // Bytes as they arrive, a batch every 40 ms, and what the controller makes of them: the
    // outcome, and the finding judged from the same bytes in the same pass ("" when the device
    // went away, which says nothing of the receiver).
    void bytesAsTheyArriveEndOnce_data() {
        QTest::addColumn<bool>("programming");
        QTest::addColumn<Batches>("batches");
        QTest::addColumn<bool>("hangUp");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("finding");
        orv52::Record frame = orv52::makeProgrammingFrameTemplate();
        orv52::fillProgrammingFrame(frame, orv52::Configuration{});
        const QByteArray acknowledged = bytes(programmingAnswer(frame));
        const QByteArray read = bytes(configurationAnswer(false));
        QByteArray newerDisplay = read;
        newerDisplay[7 + orv52::offset::DisplayCommand] = char(0x80);
        newerDisplay[7 + orv52::offset::Checksum] =
            char(newerDisplay[7 + orv52::offset::Checksum] - 0x80 + 0x01);
        const auto row = [](const char* name, bool programming, const Batches& batches) -> auto& {
            return QTest::newRow(name) << programming << batches;
        };
        row("read, whole", false, {read}) << false << Outcome::ConfigurationReceived << "answered";
        row("read, split", false, {read.left(6), read.mid(6, 12), read.mid(18)})
            << false << Outcome::ConfigurationReceived << "answered";
        row("read, its last byte alone", false, {read.chopped(1), read.right(1)})
            << false << Outcome::ConfigurationReceived << "answered";
        row("program, behind stray bytes", true, {"\x01zx", acknowledged})
            << false << Outcome::ProgrammingDone << "answered";
        row("read, a byte too many", false, {read + "\xff"})
            << false << Outcome::NoAnswer << "bytes-too-many";
        row("an acknowledgement to a read", false, {acknowledged})
            << false << Outcome::ProgrammingDone << "other-kind";
        row("a configuration to a program", true, {read})
            << false << Outcome::ConfigurationReceived << "other-kind";
        row("a bad checksum", false, {bytes(configurationAnswer(true))})
            << false << Outcome::TransmissionError << "bad-record";
        row("cut short", false, {read.left(14)}) << false << Outcome::NoAnswer << "cut-short";
        row("silence", false, {}) << false << Outcome::NoAnswer << "silence";
        row("a newer firmware's display command", false, {newerDisplay})
            << false << Outcome::TransmissionError << "unknown-value";
        row("the device lost mid-answer", false, {read.left(10)})
            << true << Outcome::PortLost << "";
    }

    void bytesAsTheyArriveEndOnce() {
        QFETCH(bool, programming);
        QFETCH(Batches, batches);
        QFETCH(bool, hangUp);
        QFETCH(Outcome, outcome);
        QFETCH(QString, finding);
        ControlledLine line;
        ExchangeController& exchange = line.exchange;
        QSignalSpy finished(&exchange, &ExchangeController::finished);
        for (qsizetype i = 0; i < batches.size(); ++i) {
            const QByteArray batch = batches[i];
            QTimer::singleShot(20 + 40 * int(i), [&line, batch] {
                line.receiver.write({reinterpret_cast<const std::uint8_t*>(batch.data()),
                                     static_cast<std::size_t>(batch.size())});
            });
        }
        if (hangUp)
            QTimer::singleShot(20 + 40 * int(batches.size()),
                               [&line] { line.receiver.closeEnd(); });
        orv52::Record frame = orv52::makeProgrammingFrameTemplate();
        orv52::fillProgrammingFrame(frame, orv52::Configuration{});
        const auto query = orv52::makeConfigurationQuery();
        QCOMPARE(programming ? exchange.run(frame) : exchange.run(query), outcome);
        QCOMPARE(finished.count(), 1);
        const auto& reading = exchange.reading();
        QCOMPARE(reading ? QString::fromStdString(std::string(orv52::findingKey(reading->finding)))
                         : QString(),
                 finding);
        QCOMPARE(reading && reading->configuration.has_value(),
                 outcome == Outcome::ConfigurationReceived);
    }

    // A device that goes away ends run() at once; the window's exchange waits for its timeout.
    void runEndsWhenTheDeviceGoes() {
        ControlledLine line;
        PtyReceiverEnd& receiver = line.receiver;
        ExchangeController& exchange = line.exchange;
        QTimer::singleShot(30, [&] { receiver.closeEnd(); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(exchange.run(orv52::makeConfigurationQuery()), Outcome::PortLost);
        QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    }

    // A stop while run() waits ends it as if nothing had come, once; a later cancel is nothing.
    void cancelEndsARunOnce() {
        ControlledLine line;
        ExchangeController& exchange = line.exchange;
        QSignalSpy finished(&exchange, &ExchangeController::finished);
        QTimer::singleShot(50, [&] { exchange.cancelRun(); });
        QCOMPARE(exchange.run(orv52::makeConfigurationQuery()), Outcome::NoAnswer);
        exchange.cancelRun();
        QCOMPARE(finished.count(), 1);
    }
};

QTEST_GUILESS_MAIN(ExchangeControllerTest)
#include "test_exchange_controller.moc"
