// What orv52-cli decides, in the test's own process: a stand-in takes the place of the port's
// exchanges and says what each comes to, so each decision is checked without a line or a wait.
#include "cli/failure.h"
#include "cli/session.h"
#include "messages/finding_text.h"
#include "messages/series_text.h"
#include "protocol/configuration_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <deque>
#include <iostream>
#include <sstream>

using namespace orv52;
using namespace orv52::cli;

namespace {

// One exchange as the stand-in ends it: Done, with the settings a read returns, or a failure with
// what came back (nothing: the device went away).
struct Step {
    ExitCode code;
    std::optional<AnswerReading> reading;
};

Step answered(const Configuration& held) {
    return {ExitCode::Done, AnswerReading{Finding::Answered, held, std::nullopt}};
}

// What came back, as the exchange judged it; a value this program does not know names its byte.
AnswerReading readingOf(Finding finding) {
    AnswerReading reading{finding, std::nullopt, std::nullopt};
    if (finding == Finding::UnknownValue)
        reading.unknownValue = UnknownListValue{&kBuzzerMode, 0x09};
    return reading;
}

Step failed(ExitCode code, std::optional<Finding> finding) {
    if (!finding)
        return {code, std::nullopt};
    return {code, readingOf(*finding)};
}

// Ends each exchange as the next step says, and counts the programmings.
class StandInReceiver final : public ReceiverLine {
public:
    StandInReceiver(std::deque<Step> steps, int& programmed)
        : steps_(std::move(steps)), programmed_(programmed) {}
    void usePort(const PortChoice&) override {}
    const ExchangeRecord& lastExchange() const override { return last_; }
    Configuration read() override { return next().value().configuration.value(); }
    void program(const Configuration&) override {
        next();
        ++programmed_;
    }
    void cancel() override {}
    void refuseAfter(const StopRequest&) override {}

private:
    std::optional<AnswerReading> next() {
        const Step step = steps_.empty() ? failed(ExitCode::NoAnswer, {}) : steps_.front();
        if (!steps_.empty())
            steps_.pop_front();
        last_ = {"/dev/ttyUSB7", step.reading};
        if (step.code != ExitCode::Done)
            throw Failure{step.code, "nie wyszło"};
        return step.reading;
    }

    std::deque<Step> steps_;
    int& programmed_;
    ExchangeRecord last_;
};

Configuration sample() {
    Configuration settings;
    settings.serveTeam(3);
    settings.firmwareVersion = 0x23;
    return settings;
}

Configuration holdingNothing() {
    Configuration settings;
    settings.firmwareVersion = 0x23;
    return settings;
}

struct Ended {
    ExitCode code;
    QString err;
    QString out;
    int programmed;
};

} // namespace

Q_DECLARE_METATYPE(std::deque<Step>)

class TestCliDecisions : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString logFile_;

    // Each case logs into folders of its own that do not exist yet: the log makes them.
    Options options(Command command) {
        Options chosen;
        chosen.command = command;
        chosen.port = "COM2";
        chosen.noBackup = true;
        logFile_ = dir_.filePath(
            QString("%1/%2/log.jsonl").arg(QTest::currentTestFunction(), QTest::currentDataTag()));
        chosen.logFile = logFile_.toStdString();
        QFile file(dir_.filePath("plik.txt"));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray::fromStdString(writeConfigurationFile(sample())));
        chosen.inputFile = file.fileName().toStdString();
        return chosen;
    }

    static Ended run(const Options& chosen, std::deque<Step> steps) {
        std::ostringstream out;
        std::ostringstream err;
        int programmed = 0;
        Session session(chosen, std::make_unique<StandInReceiver>(std::move(steps), programmed),
                        out, err);
        const ExitCode code = session.run();
        return {code, QString::fromStdString(err.str()), QString::fromStdString(out.str()),
                programmed};
    }

    QJsonObject lastLogLine() const {
        QFile file(logFile_);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        return QJsonDocument::fromJson(lines.last()).object();
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // The advice under a failure comes from what came back in the last exchange, and only under
    // the two failures that say no more than that the exchange failed. The exit code is the
    // failure's, and the log line names both.
    void aFailureEndsWithItsCodeAndAdvice_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("finding"); // -1: nothing came back to judge
        QTest::addColumn<bool>("advised");
        using enum Finding;
        const int noAnswer = int(ExitCode::NoAnswer);
        const int damaged = int(ExitCode::TransmissionError);
        for (const Finding finding : {Silence, Echo, Refused, BytesTooMany, CutShort, Stray})
            QTest::newRow(findingKey(finding).data()) << noAnswer << int(finding) << true;
        for (const Finding finding : {BadRecord, OtherKind, Garbled, UnknownValue})
            QTest::newRow(findingKey(finding).data()) << damaged << int(finding) << true;
        QTest::newRow("a busy port says nothing of the line")
            << int(ExitCode::PortBusy) << int(Silence) << false;
        QTest::newRow("a device lost, nothing judged") << int(ExitCode::PortFailed) << -1 << false;
    }

    void aFailureEndsWithItsCodeAndAdvice() {
        QFETCH(int, code);
        QFETCH(int, finding);
        QFETCH(bool, advised);
        // A finding of -1: the exchange came to nothing to judge.
        const auto judged = static_cast<Finding>(std::max(finding, 0));
        const Ended ended =
            run(options(Command::Read),
                {failed(ExitCode(code), finding < 0 ? std::nullopt : std::optional(judged))});
        QCOMPARE(int(ended.code), code);
        QString expected = "orv52-cli: nie wyszło\n";
        if (advised)
            expected +=
                "orv52-cli: " + QString::fromStdString(findingText(readingOf(judged))) + "\n";
        QCOMPARE(ended.err, expected);
        QVERIFY(ended.out.isEmpty());
        const QJsonObject line = lastLogLine();
        QCOMPARE(line["exit_code"].toInt(), code);
        QCOMPARE(line["port"].toString(), QString("COM2"));
        QCOMPARE(line["device"].toString(), QString("/dev/ttyUSB7"));
        QCOMPARE(line["finding"].toString(),
                 finding < 0 ? QString() : QString::fromStdString(std::string(findingKey(judged))));
    }

    // What the receiver holds against the file, key by key: as verify reads it, and as a
    // programming reads it back from a receiver that did not store the frame.
    void whatDiffersIsNamed_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<std::deque<Step>>("steps");
        QTest::addColumn<QString>("differingKey"); // empty: the same
        Configuration otherBuzzer = sample();
        otherBuzzer.buzzerMode = 2;
        QTest::newRow("verify, the same")
            << int(Command::Verify) << std::deque{answered(sample())} << QString();
        QTest::newRow("verify, another buzzer mode")
            << int(Command::Verify) << std::deque{answered(otherBuzzer)} << "tryb_buzera";
        QTest::newRow("programmed, not stored")
            << int(Command::Program) << std::deque{answered({}), answered(holdingNothing())}
            << "druzyny";
    }

    void whatDiffersIsNamed() {
        QFETCH(int, command);
        QFETCH(std::deque<Step>, steps);
        QFETCH(QString, differingKey);
        const Ended ended = run(options(Command(command)), steps);
        QCOMPARE(ended.code, differingKey.isEmpty() ? ExitCode::Done : ExitCode::Differs);
        const bool same = differingKey.isEmpty();
        QVERIFY2(ended.err.count(": w pliku") == (same ? 0 : 1) &&
                     (same || ended.err.contains(differingKey + ": w pliku")),
                 qPrintable(ended.err));
        QCOMPARE(ended.err.contains("Programowanie zakończone !"),
                 command == int(Command::Program));
        const QJsonObject line = lastLogLine();
        QCOMPARE(line["result"].toString(), QString(differingKey.isEmpty() ? "done" : "differs"));
        QCOMPARE(line["differing_keys"].toArray(),
                 differingKey.isEmpty() ? QJsonArray{} : QJsonArray{differingKey});
        QCOMPARE(line["finding"].toString(), QString("answered"));
    }

    // A log line that cannot be written turns a success into 10, and leaves a failure's own code.
    void anUnwrittenLogLineIsTold() {
#ifdef Q_OS_WIN
        QSKIP("a log whose writes fail is made with Linux's /dev/full");
#endif
        Options chosen = options(Command::Verify);
        chosen.logFile = "/dev/full";
        const Ended done = run(chosen, {answered(sample())});
        QCOMPARE(done.code, ExitCode::OutputFailed);
        QVERIFY2(done.err.contains("nie można dopisać do dziennika „/dev/full”"),
                 qPrintable(done.err));
        QCOMPARE(run(chosen, {failed(ExitCode::NoAnswer, Finding::Silence)}).code,
                 ExitCode::NoAnswer);
    }

    // A configuration file, or standard input, is read up to 64 KiB, to its last byte; a byte
    // more and it is refused before the port is touched. The settings end the text, so a lost
    // last byte spoils them.
    void anInputIsReadWholeUpTo64KiB_data() {
        QTest::addColumn<bool>("standardInput");
        QTest::addColumn<int>("size");
        QTest::newRow("file of 64 KiB") << false << 64 * 1024;
        QTest::newRow("file a byte over") << false << 64 * 1024 + 1;
        QTest::newRow("input ending a byte into a read") << true << 2 * 4096 + 1;
        QTest::newRow("input a byte over") << true << 64 * 1024 + 1;
    }

    void anInputIsReadWholeUpTo64KiB() {
        QFETCH(bool, standardInput);
        QFETCH(int, size);
        QByteArray settings;
        for (const QByteArray& line :
             QByteArray::fromStdString(writeConfigurationFile(sample())).split('\n'))
            if (!line.isEmpty() && !line.startsWith("wersja") && !line.contains("Wersja"))
                settings += line + "\n";
        settings.chop(1); // ends in the buzzer mode's name
        const QByteArray text = "#" + QByteArray(size - settings.size() - 2, 'x') + "\n" + settings;
        Options chosen = options(Command::Verify);
        std::istringstream input(text.toStdString());
        std::streambuf* const console = std::cin.rdbuf();
        if (standardInput) {
            // Not = "-", on which MinGW's g++ 12 warns of an overlap (-Wrestrict) that is none.
            chosen.inputFile = std::string("-");
            std::cin.rdbuf(input.rdbuf());
        } else {
            QFile file(QString::fromStdString(chosen.inputFile));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == size);
        }
        const ExitCode code = run(chosen, {answered(sample())}).code;
        std::cin.rdbuf(console);
        QCOMPARE(code, size > 64 * 1024 ? ExitCode::BadInputFile : ExitCode::Done);
    }

    // A series waits for a receiver, programs it once, waits while it is still there, and takes
    // the next once it has gone or another has taken its place. A port that fails is told once
    // and tried again; silence and a garbled answer are told nothing.
    void aSeriesTakesEachReceiverOnce_data() {
        QTest::addColumn<std::deque<Step>>("steps");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("portTroubleTold");
        const Step silence = failed(ExitCode::NoAnswer, Finding::Silence);
        Configuration another = holdingNothing();
        another.buzzerMode = 2;
        QTest::newRow("one leaves, the next comes")
            << std::deque{silence,
                          answered({}),
                          answered({}),
                          answered(sample()), // programmed
                          answered(sample()),
                          failed(ExitCode::TransmissionError, Finding::Garbled),
                          silence, // gone
                          answered({}),
                          answered({}),
                          answered(sample())}
            << 2 << false;
        QTest::newRow("another swapped in")
            << std::deque{answered({}),      answered({}), answered(sample()), answered(another),
                          answered(another), answered({}), answered(sample())}
            << 2 << false;
        QTest::newRow("a port that fails at first")
            << std::deque{failed(ExitCode::InvalidPort, {}), failed(ExitCode::InvalidPort, {}),
                          answered({}), answered({}), answered(sample())}
            << 1 << true;
    }

    void aSeriesTakesEachReceiverOnce() {
        QFETCH(std::deque<Step>, steps);
        QFETCH(int, count);
        QFETCH(bool, portTroubleTold);
        Options chosen = options(Command::Program);
        chosen.series = true;
        chosen.count = count;
        chosen.quiet = true;
        const Ended ended = run(chosen, steps);
        QCOMPARE(ended.code, ExitCode::Done);
        QCOMPARE(ended.programmed, count);
        QCOMPARE(ended.err.count("nie wyszło (ponawiam co sekundę)"), portTroubleTold ? 1 : 0);
        QVERIFY2(ended.out.endsWith(QString::fromStdString(seriesSummaryText(count, 0))),
                 qPrintable(ended.out));
    }
};

QTEST_GUILESS_MAIN(TestCliDecisions)
#include "test_cli_decisions.moc"
