#include "app/cli/backup.h"
#include "app/cli/json_log.h"
#include "app/cli/series_line.h"
#include "app/cli/status_line.h"
#include "protocol/configuration_file.h"

#include <QDir>
#include <QJsonArray>
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
    void backupNamesSortByTimeAndCarryTheVersion_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("copy");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0x23 << 1 << "2026-12-08_09-05-03_wersja-2.3.txt";
        QTest::newRow("two-digit minor") << 0x1A << 1 << "2026-12-08_09-05-03_wersja-1.10.txt";
        QTest::newRow("third copy") << 0x23 << 3 << "2026-12-08_09-05-03_wersja-2.3-3.txt";
    }

    void backupNamesSortByTimeAndCarryTheVersion() {
        QFETCH(int, version);
        QFETCH(int, copy);
        QFETCH(QString, name);
        QCOMPARE(backupFileName(kWhen, static_cast<std::uint8_t>(version), copy), name);
    }

    void aBackupNeverOverwritesAnEarlierOne() {
        QTemporaryDir dir;
        Configuration held;
        held.teamMaskLow = 0x11;
        held.firmwareVersion = 0x23;
        const QString folder = dir.filePath("a/b");
        const auto first = writeBackup(folder, held, kWhen);
        held.teamMaskLow = 0x22;
        const auto second = writeBackup(folder, held, kWhen);
        QVERIFY(first.path && second.path);
        QVERIFY(text(*second.path).endsWith("wersja-2.3-2.txt"));
        QFile file(text(*first.path));
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
        const LogEntry entry{kWhen.toOffsetFromUtc(offset),
                             "/dev/ttyUSB0",
                             "program",
                             ExitCode::Differs,
                             0x23,
                             {"druzyny", "tryb_buzera"},
                             "/kopie/a „b”.txt",
                             Finding::Answered};
        const QByteArray line = logLine(entry);
        QVERIFY(line.endsWith('\n'));
        QCOMPARE(line.count('\n'), 1);
        QJsonParseError error{};
        const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object["time"].toString(), time);
        QCOMPARE(object["result"].toString(), QString("differs"));
        QCOMPARE(object["exit_code"].toInt(), 1);
        QCOMPARE(object["firmware_version"].toString(), QString("2.3"));
        QCOMPARE(object["differing_keys"].toArray(),
                 QJsonArray({QString("druzyny"), QString("tryb_buzera")}));
        QCOMPARE(object["backup"].toString(), QString("/kopie/a „b”.txt"));
        QCOMPARE(object["finding"].toString(), QString("answered"));
    }

    void aLogIsAppendedToAndRefusedWhenItCannotBeOpened() {
        QTemporaryDir dir;
        std::ostringstream warnings;
        const std::string path = dir.filePath("log.jsonl").toStdString();
        for (int run = 0; run < 2; ++run) {
            JsonLog log(warnings);
            QVERIFY(!log.open(path));
            log.append({kWhen,
                        "COM1",
                        "read",
                        ExitCode::NoAnswer,
                        std::nullopt,
                        {},
                        {},
                        Finding::Silence});
        }
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3); // two lines and the empty rest
        const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
        QCOMPARE(first["result"].toString(), QString("no-answer"));
        QCOMPARE(first["finding"].toString(), QString("silence"));
        QVERIFY(!first.contains("firmware_version") && !first.contains("backup"));

        JsonLog folder(warnings);
        const auto refused = folder.open(dir.path().toStdString());
        QVERIFY(refused && text(*refused).contains("nie można otworzyć dziennika"));
        QVERIFY(warnings.str().empty());
    }

    void seriesLinesNameTheReceiverAndItsResult_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("line");
        QTest::newRow("done") << int(ExitCode::Done) << true
                              << "09:05:03  nr 7  COM2  wersja 2.3  wykonano\n";
        QTest::newRow("differs") << int(ExitCode::Differs) << true
                                 << "09:05:03  nr 7  COM2  wersja 2.3  różni się: druzyny, "
                                    "tryb_buzera\n";
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
        const auto code = static_cast<ExitCode>(result);
        const std::vector<std::string> keys =
            code == ExitCode::Differs ? std::vector<std::string>{"druzyny", "tryb_buzera"}
                                      : std::vector<std::string>{};
        const SeriesResult seen{kWhen,  7,
                                "COM2", answered ? std::optional<std::uint8_t>{0x23} : std::nullopt,
                                code,   keys};
        QCOMPARE(text(seriesResultLine(seen)), line);
        QCOMPARE(text(seriesSummary(2, 1)),
                 QString("Zaprogramowano 2 z 3 odbiorników; nieudane: 1.\n"));
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
