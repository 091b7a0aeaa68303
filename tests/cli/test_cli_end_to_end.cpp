#include "cli_run.h"
#include "link/serial_port_control.h"
#include "messages/finding_text.h"
#include "protocol/configuration.h"
#include "protocol/configuration_file.h"
#include "protocol/requests.h"
#include "support/receiver_simulator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace orv52;

Q_DECLARE_METATYPE(Finding)

namespace {

Configuration parsedOrDefault(const QString& text) {
    return parseConfigurationFile(text.toStdString()).settings.value_or(Configuration{});
}

QString hex(std::span<const std::uint8_t> bytes) {
    QStringList parts;
    for (const std::uint8_t byte : bytes)
        parts << QStringLiteral("%1").arg(byte, 2, 16, QChar('0')).toUpper();
    return parts.join(' ');
}

} // namespace

class TestCliEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void readPrintsTheReceiversConfiguration() {
        ReceiverSimulator receiver({"--version", "23"});
        const auto run = runCli({"read", "--port", receiver.linePath()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        const auto parsed = parseConfigurationFile(run.out.toStdString());
        QVERIFY(parsed.settings);
        QCOMPARE(parsed.settings->timings[2], 1); // the simulator's factory record
        QVERIFY(run.out.contains("\nwersja = 2.3\n"));

        const QString output = dir_.filePath("read.txt");
        const auto toFile = runCli({"read", "--port", receiver.linePath(), "--output", output});
        QCOMPARE(toFile.exitCode, 0);
        QVERIFY(toFile.out.isEmpty());
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), run.out);
    }

    void programSendsTheFileAndReadsItBack() {
        ReceiverSimulator receiver({});
        const QString input = writeFile(dir_, "program.txt", sampleFile());
        const auto run = runCli({"program", "--port", receiver.linePath(), input});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.contains("Programowanie zakończone !"));
        QVERIFY(run.err.contains("zgodna z plikiem"));

        const auto readBack = runCli({"read", "--port", receiver.linePath()});
        QCOMPARE(readBack.exitCode, 0);
        Configuration held = parsedOrDefault(readBack.out);
        QCOMPARE(held, sampleSettings());

        const auto verify = runCli({"verify", "--port", receiver.linePath(), "-"}, sampleFile());
        QCOMPARE(verify.exitCode, 0);
    }

    void verifyFailsOnADifferenceAndNamesIt() {
        ReceiverSimulator receiver({});
        const auto run = runCli({"verify", "--port", receiver.linePath(), "-"}, sampleFile());
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("różni się od pliku"));
        QVERIFY(run.err.contains("druzyny: w pliku „1, 3, 15”, w odbiorniku „”"));
        QVERIFY(run.err.contains("tryb_buzera: w pliku „Jak inne sygnalizatory”"));
        QVERIFY(!run.err.contains("wersja"));
    }

    void traceShowsEveryByteWithItsTime() {
        ReceiverSimulator receiver({});
        const auto run =
            runCli({"program", "--no-backup", "--trace", "--port", receiver.linePath(), "-"},
                   sampleFile());
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.err.split('\n', Qt::SkipEmptyParts);
        const QRegularExpression traced(R"(^\[ *\d+\.\d{3}\] (TX|RX)( [0-9A-F]{2})+$)");
        QStringList sent;
        QString received;
        for (const QString& line : lines) {
            if (!line.startsWith('['))
                continue;
            QVERIFY2(traced.match(line).hasMatch(), qPrintable(line));
            if (line.contains("] TX "))
                sent << line.section("] TX ", 1);
            else
                received += line.section("] RX ", 1) + ' ';
        }
        Record frame = makeProgrammingFrameTemplate();
        fillProgrammingFrame(frame, sampleSettings());
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent[0], hex(frame));
        QCOMPARE(sent[1], hex(makeConfigurationQuery()));
        // The programming answer echoes the frame; the bytes received are 23 + 28.
        QCOMPARE(received.split(' ', Qt::SkipEmptyParts).size(), 23 + 28);
        QVERIFY(received.startsWith(hex(frame)));
    }

    void failuresHaveTheirOwnExitCodes() {
        ReceiverSimulator silent({"--fault", "silent"});
        const auto noAnswer = runCli({"program", "--port", silent.linePath(), "-"}, sampleFile());
        QCOMPARE(noAnswer.exitCode, 3);
        QVERIFY(noAnswer.err.contains("Brak połączenia z odbiornikiem !!!"));

        ReceiverSimulator damaged({"--fault", "bad-checksum"});
        const auto badRecord = runCli({"read", "--port", damaged.linePath()});
        QCOMPARE(badRecord.exitCode, 4);
        QVERIFY(badRecord.err.contains("Błąd w transmisji !!!"));
        QVERIFY(badRecord.out.isEmpty());

        const auto noDevice = runCli({"read", "--port", dir_.filePath("ttyNONE")});
        QCOMPARE(noDevice.exitCode, 5);
        QVERIFY(noDevice.err.contains("Błędny numer portu !!!"));

        ReceiverSimulator held({});
        SerialPortControl holder;
        holder.setDevice(held.linePath());
        holder.open();
        const auto busy = runCli({"read", "--port", held.linePath()});
        QCOMPARE(busy.exitCode, 6);
        QVERIFY(busy.err.contains("Port zajęty, ustaw inny port !!!"));
        holder.close();

        const auto notASerialPort = runCli({"read", "--port", "/dev/null"});
        QCOMPARE(notASerialPort.exitCode, 9);
        QVERIFY(notASerialPort.err.contains("Błąd portu"));

        ReceiverSimulator receiver({});
        const auto unwritable =
            runCli({"read", "--port", receiver.linePath(), "--output", dir_.filePath("no/such")});
        QCOMPARE(unwritable.exitCode, 10);
        QVERIFY(unwritable.err.contains("nie można zapisać pliku"));

        QCOMPARE(runCli({}).exitCode, 2);
        const auto help = runCli({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("Kody wyjścia"));
    }

    // A device the user may not open. Root opens anything, so as root the command runs as user
    // "nobody" through setpriv.
    void accessDeniedHasItsOwnExitCode() {
        ReceiverSimulator receiver({});
        QVERIFY(::chmod(receiver.linePath().toLocal8Bit().constData(), 0) == 0);
        QString skip;
        const QStringList launcher = unprivilegedLauncher(skip);
        if (!skip.isEmpty())
            QSKIP(qPrintable(skip));
        const auto denied = runCli({"read", "--port", receiver.linePath()}, {}, launcher);
        QCOMPARE(denied.exitCode, 7);
        QVERIFY2(denied.err.contains("Brak dostępu do portu !!!") &&
                     denied.err.contains("grupy „") && denied.err.contains(receiver.linePath()),
                 qPrintable(denied.err));
        QVERIFY(denied.out.isEmpty());
    }

    // Under the failure's own message, one line on what came back and what to check: one run for
    // each route to it; the decision itself is tested in the test's process.
    void failedExchangeSaysWhatCameBack_data() {
        using enum Finding;
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<Finding>("finding");
        const QString read = "read";
        const QString program = "program";
        QTest::newRow("silent") << "silent" << read << 3 << Silence;
        QTest::newRow("refused") << "er" << program << 3 << Refused;
        QTest::newRow("bad checksum") << "bad-checksum" << read << 4 << BadRecord;
    }

    void failedExchangeSaysWhatCameBack() {
        QFETCH(QString, fault);
        QFETCH(QString, command);
        QFETCH(int, exitCode);
        QFETCH(Finding, finding);
        ReceiverSimulator receiver({"--fault", fault});
        QStringList arguments{command, "--port", receiver.linePath()};
        if (command == "program")
            arguments << "--no-backup"
                      << "-"; // the frame's own exchange, not the backup read
        const auto run = runCli(arguments, sampleFile());
        QCOMPARE(run.exitCode, exitCode);
        const QString first =
            exitCode == 3 ? "Brak połączenia z odbiornikiem !!!" : "Błąd w transmisji !!!";
        const std::string advice = orv52::findingText({finding, {}, {}});
        QCOMPARE(run.err,
                 "orv52-cli: " + first + "\norv52-cli: " + QString::fromStdString(advice) + "\n");
    }

    // A sound record from a firmware newer than the program: explained from what was sent, with
    // a transmission error's code, and the log line names the finding and both port and device.
    void aValueOfANewerFirmwareIsExplained() {
        Record record = makeProgrammingFrameTemplate();
        fillProgrammingFrame(record, Configuration{});
        record[offset::DisplayCommand] = 0x80;
        record[offset::Checksum] = recordChecksum(record);
        const QByteArray recordHex =
            QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size()))
                .toHex();
        ReceiverSimulator receiver({"--record", QString::fromLatin1(recordHex)});
        const QString log = dir_.filePath("newer.jsonl");
        const auto run = runCli({"read", "--port", receiver.linePath(), "--log", log});
        QCOMPARE(run.exitCode, 4);
        QCOMPARE(run.err, "orv52-cli: Błąd w transmisji !!!\norv52-cli: " +
                              QString::fromStdString(unknownValueText({&kDisplayCommand, 0x80})) +
                              "\n");
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject entry = QJsonDocument::fromJson(file.readLine()).object();
        QCOMPARE(entry["finding"].toString(), QString("unknown-value"));
        QCOMPARE(entry["result"].toString(), QString("transmission-error"));
        QCOMPARE(entry["port"].toString(), receiver.linePath());
        QCOMPARE(entry["device"].toString(), receiver.linePath());
    }

    // The port itself goes away under a read or a programming (the line's far end closes, as
    // a driver hangs up a pulled adapter): said as such, at once, with a port failure's code.
    void portGoneUnderTheExchangeIsSaidAtOnce_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("read") << QStringList{"read"};
        QTest::newRow("program") << QStringList{"program", "--no-backup", "-"};
    }

    void portGoneUnderTheExchangeIsSaidAtOnce() {
        QFETCH(QStringList, arguments);
        ReceiverSimulator receiver({"--fault", "silent"});
        QProcess cli;
        startCli(cli, arguments + QStringList{"--port", receiver.linePath()});
        cli.write(sampleFile());
        cli.closeWriteChannel();
        QTest::qWait(500);
        QElapsedTimer sinceGone;
        sinceGone.start();
        receiver.stop();
        const auto run = finishCli(cli);
        QVERIFY2(sinceGone.elapsed() < 1000, "waited out the timeout");
        QCOMPARE(run.exitCode, 9);
        QCOMPARE(run.err, "orv52-cli: port " + receiver.linePath() +
                              " zniknął w trakcie transmisji: przejściówkę odłączono lub straciła "
                              "zasilanie; podłącz ją i spróbuj ponownie\n");
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestCliEndToEnd)
#include "test_cli_end_to_end.moc"
