#include "link/exchange_controller.h"
#include "port_helpers.h"
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
        QVERIFY(exchange.receivedConfiguration().has_value());
        QTest::qWait(2 * ExchangeController::kPollIntervalMs);
        QCOMPARE(finished.count(), 1);
    }

    void damagedRecordIsATransmissionError() {
        ControlledLine line;
        PtyReceiverEnd& receiver = line.receiver;
        ExchangeController& exchange = line.exchange;
        QTimer::singleShot(10, [&] { receiver.write(configurationAnswer(true)); });
        QCOMPARE(exchange.run(orv52::makeConfigurationQuery()), Outcome::TransmissionError);
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
