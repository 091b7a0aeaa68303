#include "protocol/record.h"
#include "support/receiver_simulator.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QByteArray kQuery = QByteArray("CFG\0?", 5);
const QByteArray kDefaultRecord =
    QByteArray::fromHex("50 52 47 00 00 00 00 00 01 01 00 00 01 01 00 00 00 00 00 23 F0");
const QByteArray kQueryAnswer = kQuery + "OK" + kDefaultRecord;
const QByteArray kFrame =
    QByteArray::fromHex("50 52 47 00 81 02 05 06 07 08 09 0A 04 08 00 00 00 00 00 00 5B");

struct Arrival {
    qint64 ms; // since the request was written
    QByteArray bytes;
};

QByteArray joined(const QList<Arrival>& arrivals) {
    QByteArray all;
    for (const Arrival& a : arrivals) {
        all += a.bytes;
    }
    return all;
}

// The program's side of the line, opened as the program opens its port: raw, with pending
// input discarded.
class Port {
public:
    explicit Port(const QString& path) : fd_(::open(qPrintable(path), O_RDWR | O_NOCTTY)) {
        termios settings{};
        if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(fd_, TCSANOW, &settings);
            tcflush(fd_, TCIFLUSH);
        }
    }
    ~Port() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    bool send(const QByteArray& request) {
        sentAt_.start();
        return ::write(fd_, request.constData(), request.size()) == request.size();
    }

    // Reads until `expected` bytes have come (or 1.5 s have passed), then `settleMs` longer to
    // catch bytes that should not come.
    QList<Arrival> collect(qsizetype expected, int settleMs = 150) {
        QList<Arrival> arrivals;
        qsizetype count = 0;
        QElapsedTimer settle;
        while (true) {
            if (count >= expected && !settle.isValid()) {
                settle.start();
            }
            const qint64 left =
                settle.isValid() ? settleMs - settle.elapsed() : 1500 - sentAt_.elapsed();
            if (left <= 0) {
                return arrivals;
            }
            pollfd fd{fd_, POLLIN, 0};
            if (poll(&fd, 1, static_cast<int>(left)) <= 0) {
                continue;
            }
            char buffer[64];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0) {
                arrivals.push_back({sentAt_.elapsed(), QByteArray(buffer, n)});
                count += n;
            }
        }
    }

private:
    int fd_;
    QElapsedTimer sentAt_;
};

} // namespace

class TestReceiverSim : public QObject {
    Q_OBJECT

private slots:
    void answers_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("minMs"); // until the whole answer has arrived

        const QStringList fast{"--no-pacing"};
        const QByteArray odd =
            QByteArray::fromHex("41 42 43 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12");
        QByteArray badChecksum = kDefaultRecord;
        badChecksum[orv52::offset::Checksum] = char(0xF1);

        // 28 and 23 bytes at ten bits each, 1200 bits per second
        QTest::newRow("query paced") << QStringList{} << kQuery << kQueryAnswer << 225;
        QTest::newRow("frame paced") << QStringList{} << kFrame << kFrame + "OK" << 185;
        QTest::newRow("garbage skipped") << fast << "\x01zzPR" + kQuery << kQueryAnswer << 0;
        QTest::newRow("record as given")
            << fast + QStringList{"--record", odd.toHex()} << kQuery << kQuery + "OK" + odd << 0;
        QTest::newRow("er query") << fast + QStringList{"--fault", "er"} << kQuery
                                  << kQuery + "ER" + kDefaultRecord << 0;
        QTest::newRow("er frame") << fast + QStringList{"--fault", "er"} << kFrame << kFrame + "ER"
                                  << 0;
        QTest::newRow("stray") << fast + QStringList{"--fault", "stray"} << kQuery
                               << "\x01zx" + kQueryAnswer << 0;
        QTest::newRow("bad checksum") << fast + QStringList{"--fault", "bad-checksum"} << kQuery
                                      << kQuery + "OK" + badChecksum << 0;
        QTest::newRow("extra byte")
            << fast + QStringList{"--fault", "extra-byte"} << kQuery << kQueryAnswer + "\xFF" << 0;
        QTest::newRow("silent") << fast + QStringList{"--fault", "silent"} << kQuery << QByteArray()
                                << 0;
        QTest::newRow("cut short")
            << fast + QStringList{"--fault", "cut-short"} << kFrame << kFrame.left(11) << 0;
        QTest::newRow("noise") << fast + QStringList{"--fault", "noise"} << kQuery
                               << QByteArray::fromHex("F8 00 78 80 0E 06 E0 9E") << 0;
        QTest::newRow("loopback") << QStringList{"--fault", "loopback"} << "\x01z" + kQuery
                                  << "\x01z" + kQuery << 55;
        QTest::newRow("delay") << fast + QStringList{"--fault", "delay=300"} << kQuery
                               << kQueryAnswer << 300;
    }

    void answers() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, expected);
        QFETCH(int, minMs);

        ReceiverSimulator sim(args);
        Port port(sim.linePath());
        QVERIFY(port.isOpen());
        QVERIFY(port.send(request));
        const auto arrivals = port.collect(expected.size(), expected.isEmpty() ? 400 : 150);
        QCOMPARE(joined(arrivals).toHex(' '), expected.toHex(' '));
        if (!arrivals.isEmpty()) {
            QVERIFY2(arrivals.last().ms >= minMs, qPrintable(QString::number(arrivals.last().ms)));
        }
    }

    void splitAnswerComesInThreeBatches() {
        ReceiverSimulator sim({"--no-pacing", "--fault", "split"});
        Port port(sim.linePath());
        QVERIFY(port.send(kQuery));
        QList<qsizetype> batches;
        qint64 last = -1000;
        for (const Arrival& a : port.collect(kQueryAnswer.size())) {
            if (a.ms - last > 75) {
                batches.push_back(0);
            }
            batches.back() += a.bytes.size();
            last = a.ms;
        }
        QCOMPARE(batches, (QList<qsizetype>{6, 12, 10}));
    }

    void keepsProgrammedFrameWithItsOwnVersion() {
        ReceiverSimulator sim({"--no-pacing", "--version", "31", "--log"});
        // Reserved byte and checksum wrong on purpose: the bytes are kept, the checksum is not.
        const QByteArray frame =
            QByteArray::fromHex("50 52 47 07 81 02 05 06 07 08 09 0A 04 08 00 00 00 00 00 00 00");
        const QByteArray stored =
            QByteArray::fromHex("50 52 47 07 81 02 05 06 07 08 09 0A 04 08 00 00 00 00 00 31 23");
        {
            Port port(sim.linePath());
            QVERIFY(port.send(frame));
            QCOMPARE(joined(port.collect(23)), frame + "OK");
            QVERIFY(port.send(kQuery));
            const QByteArray answer = joined(port.collect(28));
            QCOMPARE(answer.toHex(' '), (kQuery + "OK" + stored).toHex(' '));
            orv52::Record record;
            std::copy(answer.begin() + 7, answer.end(), record.begin());
            QVERIFY(orv52::isRecordValid(record));
        }
        sim.process().terminate();
        QVERIFY(sim.process().waitForFinished(2000));
        QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.process().exitCode(), 0);
        const QByteArray log = sim.process().readAllStandardError();
        QVERIFY(
            log.contains("RX 50 52 47 07 81 02 05 06 07 08 09 0A 04 08 00 00 00 00 00 00 00\n"));
        QVERIFY(log.contains("RX 43 46 47 00 3F\n"));
    }

    void aBadSeriesIsRefused_data() {
        QTest::addColumn<QString>("series");
        QTest::newRow("three digits") << "212";
        QTest::newRow("unknown fault") << "21/silent";
    }

    void aBadSeriesIsRefused() {
        QFETCH(QString, series);
        QProcess sim;
        sim.start(QStringLiteral(ORV52_RECEIVER_SIM), {"--series", series});
        QVERIFY(sim.waitForFinished(2000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(sim.readAllStandardError().contains("--series needs"));
    }

    // An answer that comes while the port is closed must not spoil the next exchange.
    void reopenedPortGetsOnlyTheNewAnswer() {
        ReceiverSimulator sim({"--no-pacing", "--fault", "delay=200"});
        {
            Port port(sim.linePath());
            QVERIFY(port.send(kQuery));
        }
        QThread::msleep(300);
        Port port(sim.linePath());
        QVERIFY(port.isOpen());
        QVERIFY(port.send(kQuery));
        QCOMPARE(joined(port.collect(kQueryAnswer.size(), 300)).toHex(' '),
                 kQueryAnswer.toHex(' '));
    }

    void linkFollowsTheLineAndGoesOnStop() {
        QTemporaryDir dir;
        const QString link = dir.filePath("ttyRECV");
        ReceiverSimulator sim({"--link", link});
        QCOMPARE(QFileInfo(link).symLinkTarget(), sim.linePath());
        sim.process().terminate();
        QVERIFY(sim.process().waitForFinished(2000));
        QCOMPARE(sim.process().exitCode(), 0);
        QVERIFY(!QFileInfo::exists(link));
    }
};

QTEST_GUILESS_MAIN(TestReceiverSim)
#include "test_receiver_sim.moc"
