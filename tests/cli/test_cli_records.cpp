#include "cli/backup.h"
#include "cli/json_log.h"
#include "cli/series_line.h"
#include "cli/status_line.h"
#include "protocol/configuration_file.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <sstream>

using namespace orv52;
using namespace orv52::cli;

namespace {

const QDateTime kWhen(QDate(2026, 12, 8), QTime(9, 5, 3), QTimeZone(3600));

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

class TestCliRecords : public QObject {
    Q_OBJECT

private slots:
    void aBackupNeverOverwritesAnEarlierOne() {
        QTemporaryDir dir;
        Configuration held;
        held.teamMaskLow = 0x11;
        held.firmwareVersion = 0x23;
        const QString folder = dir.filePath("a/b");
        const auto first = writeBackup(folder, held, kWhen);
        held.teamMaskLow = 0x22;
        const auto second = writeBackup(folder, held, kWhen);
        QVERIFY(text(second).endsWith("wersja-2.3-2.txt"));
        QFile file(text(first));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto kept = parseConfigurationFile(file.readAll().toStdString());
        QVERIFY(kept.settings);
        QCOMPARE(kept.settings->teamMaskLow, std::uint8_t{0x11});
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2); // the write probe is gone
    }

    void logLinesAreJsonWithTheOffset_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("time");
        QTest::newRow("east") << 3600 << "2026-12-08T09:05:03+01:00";
        QTest::newRow("UTC") << 0 << "2026-12-08T08:05:03+00:00";
        QTest::newRow("west, half hours") << -(3 * 3600 + 1800) << "2026-12-08T04:35:03-03:30";
    }

    void logLinesAreJsonWithTheOffset() {
        QFETCH(int, offset);
        QFETCH(QString, time);
        const ReceiverResult programmed{
            .port = "/dev/serial/by-id/usb-FTDI-if00",
            .device = "/dev/ttyUSB0",
            .reachedByNumber = false,
            .result = ExitCode::Differs,
            .failure = {},
            .facts = {0x23, std::nullopt, {"druzyny", "tryb_buzera"}, "/kopie/a „b”.txt"},
            .answer = AnswerReading{Finding::Answered, {}, {}}};
        const QByteArray line = logLine(kWhen.toOffsetFromUtc(offset), "program", programmed);
        QVERIFY(line.endsWith('\n'));
        QCOMPARE(line.count('\n'), 1);
        QJsonParseError error{};
        const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object["time"].toString(), time);
        QCOMPARE(object["backup"].toString(), QString("/kopie/a „b”.txt"));
        QCOMPARE(object["finding"].toString(), QString("answered"));
        QCOMPARE(object["port"].toString(), QString("/dev/serial/by-id/usb-FTDI-if00"));
        QCOMPARE(object["device"].toString(), QString("/dev/ttyUSB0"));
    }

    void aLogIsAppendedTo() {
        QTemporaryDir dir;
        std::ostringstream warnings;
        const std::string path = dir.filePath("log.jsonl").toStdString();
        const ReceiverResult silent{.port = "COM1",
                                    .device = {},
                                    .reachedByNumber = false,
                                    .result = ExitCode::NoAnswer,
                                    .failure = {},
                                    .facts = {},
                                    .answer = AnswerReading{Finding::Silence, {}, {}}};
        for (int run = 0; run < 2; ++run) {
            JsonLog log(warnings);
            log.open(path);
            log.append(kWhen, "read", silent);
        }
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3); // two lines and the empty rest
        const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
        QCOMPARE(first["result"].toString(), QString("no-answer"));
        QCOMPARE(first["finding"].toString(), QString("silence"));
        // No device was reached: the port alone.
        QVERIFY(!first.contains("firmware_version") && !first.contains("backup") &&
                !first.contains("device"));
        QVERIFY(warnings.str().empty());
    }

    void seriesLinesNameTheReceiverAndItsResult_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("line");
        QTest::newRow("no answer") << int(ExitCode::NoAnswer) << false
                                   << "09:05:03  nr 7  COM2  wersja ?  brak połączenia z "
                                      "odbiornikiem\n";
        QTest::newRow("garbled") << int(ExitCode::TransmissionError) << true
                                 << "09:05:03  nr 7  COM2  wersja 2.3  błąd w transmisji\n";
    }

    void seriesLinesNameTheReceiverAndItsResult() {
        QFETCH(int, result);
        QFETCH(bool, answered);
        QFETCH(QString, line);
        ReceiverFacts facts;
        if (answered)
            facts.firmwareVersion = 0x23;
        const ReceiverResult seen{.port = "COM2",
                                  .device = {},
                                  .reachedByNumber = false,
                                  .result = static_cast<ExitCode>(result),
                                  .failure = {},
                                  .facts = facts,
                                  .answer = std::nullopt};
        QCOMPARE(text(seriesResultLine(kWhen, 7, seen)), line);
    }

    void theStatusLineIsRewrittenOnATerminalOnly() {
        std::ostringstream terminal;
        {
            StatusLine status(terminal, true);
            status.show("czekam");
            status.show("odłącz");
        }
        QCOMPARE(text(terminal.str()), QString("\r\x1b[Kczekam\r\x1b[Kodłącz\r\x1b[K"));
        std::ostringstream pipe;
        {
            StatusLine status(pipe, false);
            status.show("czekam");
        }
        QVERIFY(pipe.str().empty());
    }
};

QTEST_GUILESS_MAIN(TestCliRecords)
#include "test_cli_records.moc"
