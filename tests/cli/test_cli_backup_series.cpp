#include "cli_run.h"
#include "protocol/configuration_file.h"
#include "support/receiver_simulator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <csignal>
#include <unistd.h>

using namespace orv52;

namespace {

const QByteArray kQueryReceived = "RX 43 46 47 00 3F";
const QByteArray kFrameReceived = "RX 50 52 47";

// What a receiver holds before the tests program it: anything but the sample.
Configuration heldBefore() {
    Configuration settings;
    settings.teamMaskLow = 0x80; // team 8
    settings.timings = {9, 0, 2, 3, 0, 11};
    settings.buzzerMode = 3;
    return settings;
}

QList<QJsonObject> logEntries(const QString& path) {
    QFile file(path);
    QList<QJsonObject> entries;
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            entries << QJsonDocument::fromJson(line).object();
    return entries;
}

Configuration fileSettings(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseConfigurationFile(file.readAll().toStdString()).settings.value_or(Configuration{});
}

// All the simulator has logged so far.
QByteArray logSoFar(ReceiverSimulator& receiver) {
    while (receiver.process().waitForReadyRead(100)) {
    }
    return receiver.log();
}

// Waits up to `ms` for `done`, running the event loop meanwhile.
template <typename Done> bool waitFor(Done done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QTest::qWait(20);
    return done();
}

} // namespace

class TestCliBackupSeries : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid() && cliDataHome().isValid()); }

    void backupIsWrittenBeforeTheFrameAndRestoresWhatWasHeld() {
        ReceiverSimulator receiver({"--version", "2A", "--log"});
        const QString held = writeFile(
            dir_, "held.txt", QByteArray::fromStdString(writeConfigurationFile(heldBefore())));
        QCOMPARE(runCli({"program", "--no-backup", "--port", receiver.linePath(), held}).exitCode,
                 0);
        const qsizetype before = logSoFar(receiver).size();

        const auto run = runCli({"program", "--port", receiver.linePath(), "-"}, sampleFile());
        QCOMPARE(run.exitCode, 0);
        const QRegularExpression told("kopia konfiguracji odbiornika: (\\S+)\\n");
        const QString backup = told.match(run.err).captured(1);
        QVERIFY2(backup.startsWith(cliDataHome().path() + "/orv52-cli/kopie/") &&
                     QRegularExpression(R"(/\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d_wersja-2\.10\.txt$)")
                         .match(backup)
                         .hasMatch(),
                 qPrintable(run.err));
        QCOMPARE(fileSettings(backup), heldBefore());
        const QByteArray log = logSoFar(receiver).mid(before);
        QVERIFY(log.indexOf(kQueryReceived) >= 0);
        QVERIFY(log.indexOf(kQueryReceived) < log.indexOf(kFrameReceived));

        const auto restore =
            runCli({"program", "--no-backup", "--port", receiver.linePath(), backup});
        QCOMPARE(restore.exitCode, 0);
        QCOMPARE(runCli({"verify", "--port", receiver.linePath(), held}).exitCode, 0);
    }

    void aSeriesProgramsEachReceiverOnceAndGoesOnAfterAFailure() {
        ReceiverSimulator line(
            {"--series", "21,22/no-store,23", "--stay", "600", "--away", "1200", "--log"});
        const QString log = dir_.filePath("series.jsonl");
        const QString backups = dir_.filePath("series-backups");
        const auto run = runCli({"program", "--series", "--count", "3", "--port", line.linePath(),
                                 "--log", log, "--backup", backups, "-"},
                                sampleFile(), {}, 60000);
        QCOMPARE(run.exitCode, 1);
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        const QString port = QRegularExpression::escape(line.linePath());
        const QStringList expected{"wersja 2.1  wykonano", "wersja 2.2  różni się: druzyny, ",
                                   "wersja 2.3  wykonano"};
        for (int i = 0; i < 3; ++i)
            QVERIFY2(QRegularExpression(QStringLiteral(R"(^\d\d:\d\d:\d\d  nr %1  %2  %3)")
                                            .arg(i + 1)
                                            .arg(port, QRegularExpression::escape(expected[i])))
                         .match(lines[i])
                         .hasMatch(),
                     qPrintable(lines[i]));
        QCOMPARE(lines[3], QString("Zaprogramowano 2 z 3 odbiorników; nieudane: 1."));
        QVERIFY2(!run.err.contains("czekam"), qPrintable(run.err)); // no status line on a pipe
        // Each receiver is read once before its programming: the answer that showed it had come
        // is its backup.
        QList<QByteArray> requests;
        for (const QByteArray& logged : logSoFar(line).split('\n'))
            if (logged.startsWith("RX"))
                requests << logged;
        int frames = 0;
        for (qsizetype i = 0; i < requests.size(); ++i) {
            if (!requests[i].startsWith(kFrameReceived))
                continue;
            ++frames;
            QVERIFY(i >= 1 && requests[i - 1] == kQueryReceived);
            // The message is built whatever the condition: it must not read before the first.
            QVERIFY2(i < 2 || requests[i - 2] != kQueryReceived,
                     i < 2 ? "" : requests[i - 2].constData());
        }
        QCOMPARE(frames, 3);

        const auto entries = logEntries(log);
        QCOMPARE(entries.size(), 3);
        const QStringList results{"done", "differs", "done"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(entries[i]["result"].toString(), results[i]);
            QCOMPARE(entries[i]["firmware_version"].toString(), QString("2.%1").arg(i + 1));
            QVERIFY(QFile::exists(entries[i]["backup"].toString()));
            QVERIFY(entries[i]["backup"].toString().startsWith(backups));
        }
        QCOMPARE(QDir(backups).entryList(QDir::Files).size(), 3);
    }

    void aPortThatAppearsLaterIsWaitedFor() {
        const QString link = dir_.filePath("ttyLATER");
        QProcess cli;
        startCli(cli, {"program", "--series", "--count", "1", "--no-backup", "--port", link,
                       writeFile(dir_, "later.txt", sampleFile())});
        QTest::qWait(2500);
        ReceiverSimulator receiver({"--link", link});
        const auto run = finishCli(cli, 20000);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err.count("Błędny numer portu !!!"), 1); // told once, tried each second
        QVERIFY(run.out.contains("nr 1  " + link + "  wersja 2.3  wykonano"));
    }

    // Ctrl-C under a programming: the exchange under way ends and no other starts, so the operator
    // learns whether the receiver took the frame; the result and the log line are written, with a
    // code of their own. A second Ctrl-C ends the program at once, with nothing more.
    void ctrlCLetsTheExchangeUnderWayEnd_data() {
        QTest::addColumn<int>("presses");
        QTest::newRow("once") << 1;
        QTest::newRow("twice") << 2;
    }

    void ctrlCLetsTheExchangeUnderWayEnd() {
        QFETCH(int, presses);
        ReceiverSimulator receiver({"--fault", "delay=800", "--log"});
        const QString log = dir_.filePath(QStringLiteral("ctrl-c-%1.jsonl").arg(presses));
        QProcess cli;
        startCli(cli, {"program", "--port", receiver.linePath(), "--log", log,
                       writeFile(dir_, "ctrl-c.txt", sampleFile())});
        QVERIFY(waitFor([&] { return receiver.log().contains(kFrameReceived); }, 10000));
        QElapsedTimer sinceSignal;
        sinceSignal.start();
        for (int press = 0; press < presses; ++press) {
            ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
            QTest::qWait(50);
        }
        const auto run = finishCli(cli, 10000);
        receiver.stop();
        const QByteArray line = receiver.log();
        QVERIFY2(!line.mid(line.indexOf(kFrameReceived)).contains(kQueryReceived), line.data());
        if (presses == 2) {
            QCOMPARE(run.exitCode, -1); // ended by the signal itself
            QVERIFY2(sinceSignal.elapsed() < 500,
                     qPrintable(QString::number(sinceSignal.elapsed())));
            QVERIFY(logEntries(log).isEmpty());
            return;
        }
        QCOMPARE(run.exitCode, 11);
        QVERIFY2(run.err.endsWith("orv52-cli: Programowanie zakończone !\n"
                                  "orv52-cli: przerwano (Ctrl-C): bieżąca wymiana zakończona, "
                                  "następnej nie rozpoczęto\n"),
                 qPrintable(run.err));
        const auto entries = logEntries(log);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0]["result"].toString(), QString("interrupted"));
        QCOMPARE(entries[0]["exit_code"].toInt(), 11);
    }

    void stopEndsTheSeriesOnlyBetweenExchanges_data() {
        QTest::addColumn<QStringList>("simulator");
        QTest::addColumn<QStringList>("count"); // --count N, or nothing
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("after"); // in the simulator's log; empty: a second in
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("withinMs");
        QTest::addColumn<int>("exitCode");
        // Waiting ends at once; an exchange under way is at most one timeout long.
        QTest::newRow("Ctrl-C while waiting")
            << QStringList{"--fault", "silent"} << QStringList{} << SIGINT << QByteArray()
            << "Zaprogramowano 0 z 0 odbiorników; nieudane: 0.\n"
            << 500 << 0;
        QTest::newRow("Ctrl-C while the frame is answered")
            << QStringList{} << QStringList{} << SIGINT << kFrameReceived
            << "wersja 2.3  wykonano\nZaprogramowano 1 z 1 odbiornika; nieudane: 0.\n"
            << 2800 << 0;
        QTest::newRow("SIGTERM while the read-back is answered")
            << QStringList{} << QStringList{} << SIGTERM
            << QByteArray(kFrameReceived + ".*\n.*\n" + kQueryReceived)
            << "wersja 2.3  wykonano\nZaprogramowano 1 z 1 odbiornika; nieudane: 0.\n"
            << 2800 << 0;
        // Stopped before its count, a series tells how far it came and ends with a code of its
        // own: a script must not take it for a finished batch.
        QTest::newRow("Ctrl-C after 1 of 3")
            << QStringList{} << QStringList{"--count", "3"} << SIGINT << kFrameReceived
            << "wersja 2.3  wykonano\nZaprogramowano 1 z 1 odbiornika; nieudane: 0.\n"
               "Przerwano po 1 z 3 odbiorników.\n"
            << 2800 << 11;
    }

    void stopEndsTheSeriesOnlyBetweenExchanges() {
        QFETCH(QStringList, simulator);
        QFETCH(QStringList, count);
        QFETCH(int, signal);
        QFETCH(QByteArray, after);
        QFETCH(QString, out);
        QFETCH(int, withinMs);
        QFETCH(int, exitCode);
        ReceiverSimulator receiver(simulator + QStringList{"--log"});
        QProcess cli;
        startCli(cli, QStringList{"program", "--series", "--no-backup", "--port",
                                  receiver.linePath(), writeFile(dir_, "stop.txt", sampleFile())} +
                          count);
        QByteArray log;
        const QRegularExpression trigger(QString::fromLatin1(after));
        if (after.isEmpty())
            QTest::qWait(1000);
        else
            QVERIFY(waitFor(
                [&] {
                    return trigger.match(QString::fromLatin1(log += receiver.log())).hasMatch();
                },
                10000));
        QElapsedTimer sinceSignal;
        sinceSignal.start();
        ::kill(static_cast<pid_t>(cli.processId()), signal);
        const auto run = finishCli(cli, 10000);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.endsWith(out), qPrintable(run.out));
        QVERIFY2(sinceSignal.elapsed() < withinMs,
                 qPrintable(QString::number(sinceSignal.elapsed())));
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestCliBackupSeries)
#include "test_cli_backup_series.moc"
