// What orv52-cli decides, in the test's own process: a stand-in takes the place of the port's
// exchanges and says what each comes to, so each decision is checked without a line or a wait.
#include "cli/exchange_failure.h"
#include "cli/failure.h"
#include "cli/session.h"
#include "messages/finding_text.h"
#include "messages/series_text.h"
#include "protocol/configuration_file.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <deque>
#include <functional>
#include <iostream>
#include <sstream>
#include <vector>
#ifndef Q_OS_WIN
#include <pty.h>
#include <unistd.h>
#endif

using namespace orv52;
using namespace orv52::cli;

namespace {

// One exchange as the stand-in ends it: Done, with the settings a read returns, or a failure with
// what came back (nothing: the device went away).
struct Step {
    ExitCode code;
    std::optional<AnswerReading> reading;
    int takesMs = 0;    // how long the exchange takes
    bool stops = false; // Ctrl-C comes during it
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

Step slow(Step step) {
    step.takesMs = 400;
    return step;
}

Step stopping(Step step) {
    step.stops = true;
    return step;
}

// The exchanges a command asked for.
struct Asked {
    int reads = 0;
    int programmings = 0;
    int cancels = 0;
    std::vector<qint64> readStartsMs; // since the command started
};

// Ends each exchange as the next step says, and counts what was asked.
class StandInReceiver final : public ReceiverLine {
public:
    StandInReceiver(std::deque<Step> steps, Asked& asked)
        : steps_(std::move(steps)), asked_(asked) {
        clock_.start();
    }
    void usePort(const PortChoice&) override {}
    const ExchangeRecord& lastExchange() const override { return last_; }
    Configuration read() override {
        ++asked_.reads;
        asked_.readStartsMs.push_back(clock_.elapsed());
        return next().value().configuration.value();
    }
    void program(const Configuration&) override {
        ++asked_.programmings;
        next();
    }
    void cancel() override { ++asked_.cancels; }
    void refuseAfter(const StopRequest&) override {}

private:
    std::optional<AnswerReading> next() {
        const Step step = steps_.empty() ? failed(ExitCode::NoAnswer, {}) : steps_.front();
        if (!steps_.empty())
            steps_.pop_front();
        if (step.stops)
            std::raise(SIGINT);
        // The exchange's wait, in which the program hears Ctrl-C.
        QTest::qWait(step.stops ? 50 : step.takesMs);
        last_ = {"/dev/ttyUSB7", step.reading};
        if (step.code != ExitCode::Done)
            throw Failure{step.code, "nie wyszło"};
        return step.reading;
    }

    std::deque<Step> steps_;
    Asked& asked_;
    QElapsedTimer clock_;
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

QByteArray sampleText() {
    return QByteArray::fromStdString(writeConfigurationFile(sample()));
}

struct Ended {
    ExitCode code;
    QString err;
    QString out;
    Asked asked;
    qint64 tookMs;
};

// Changes a case makes to the options every case starts from.
using Adjustment = std::function<void(Options&)>;

} // namespace

Q_DECLARE_METATYPE(std::deque<Step>)
Q_DECLARE_METATYPE(Adjustment)

class TestCliDecisions : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString logFile_;

    // Each case logs into folders of its own that do not exist yet: the log makes them.
    Options options(Command command, const QByteArray& file = sampleText()) {
        Options chosen;
        chosen.command = command;
        chosen.port = "COM2";
        chosen.noBackup = true;
        logFile_ = dir_.filePath(
            QString("%1/%2/log.jsonl").arg(QTest::currentTestFunction(), QTest::currentDataTag()));
        chosen.logFile = logFile_.toStdString();
        QFile input(dir_.filePath("plik.txt"));
        if (input.open(QIODevice::WriteOnly))
            input.write(file);
        chosen.inputFile = input.fileName().toStdString();
        return chosen;
    }

    // program --series --count `count`.
    Options seriesOf(int count) {
        Options chosen = options(Command::Program);
        chosen.series = true;
        chosen.count = count;
        return chosen;
    }

    static Ended run(const Options& chosen, std::deque<Step> steps) {
        std::ostringstream out;
        std::ostringstream err;
        Asked asked;
        QElapsedTimer clock;
        clock.start();
        Session session(chosen, std::make_unique<StandInReceiver>(std::move(steps), asked), out,
                        err);
        const ExitCode code = session.run();
        return {code, QString::fromStdString(err.str()), QString::fromStdString(out.str()), asked,
                clock.elapsed()};
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

    // An exchange that did not end as called for: silence and a lost device are told as such, a
    // read's damaged answer as the window tells it, and any other wrong answer with what was
    // missing.
    void anExchangeEndsInItsFailure_data() {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("told");
        using enum ExchangeController::Outcome;
        const int read = int(ConfigurationReceived);
        const int program = int(ProgrammingDone);
        const QString damaged = "Błąd w transmisji !!!";
        const QString noAcknowledgement = damaged + " (odbiornik nie przysłał potwierdzenia "
                                                    "programowania)";
        QTest::newRow("silence") << int(NoAnswer) << read << 3
                                 << "Brak połączenia z odbiornikiem !!!";
        QTest::newRow("device lost")
            << int(PortLost) << program << 9
            << "port /dev/ttyUSB7 zniknął w trakcie transmisji: przejściówkę odłączono lub "
               "straciła zasilanie; podłącz ją i spróbuj ponownie";
        QTest::newRow("read, damaged") << int(TransmissionError) << read << 4 << damaged;
        QTest::newRow("read, acknowledged")
            << program << read << 4 << damaged + " (odbiornik nie przysłał konfiguracji)";
        QTest::newRow("program, damaged")
            << int(TransmissionError) << program << 4 << noAcknowledgement;
        QTest::newRow("program, a configuration") << read << program << 4 << noAcknowledgement;
    }

    void anExchangeEndsInItsFailure() {
        QFETCH(int, outcome);
        QFETCH(int, wanted);
        QFETCH(int, code);
        QFETCH(QString, told);
        using Outcome = ExchangeController::Outcome;
        const Failure failure = failureAfter(Outcome(outcome), Outcome(wanted), "/dev/ttyUSB7");
        QCOMPARE(int(failure.code()), code);
        QCOMPARE(QString::fromStdString(failure.what()), told);
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

    // A file that cannot be used, a backup folder or a log that cannot be written, and a backup
    // read that fails each end the command before the frame; all but the backup read before the
    // port is touched.
    void aRefusalSendsNoFrame_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Adjustment>("adjust");
        QTest::addColumn<std::deque<Step>>("steps");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("told");
        const int program = int(Command::Program);
        const int verify = int(Command::Verify);
        const QByteArray good = sampleText();
        const int badFile = int(ExitCode::BadInputFile);
        const Adjustment none = [](Options&) {};
        const auto fileRow = [&](const char* name, int command, const QByteArray& file,
                                 const QString& told) {
            QTest::newRow(name) << command << file << none << std::deque<Step>{} << badFile << told;
        };
        const auto changed = [&good](const char* from, const char* to) {
            return QByteArray(good).replace(from, to);
        };
        fileRow("unknown key", program, changed("tryb_buzera", "tryb_buzzera"),
                "wiersz 16, klucz „tryb_buzzera”: nieznany klucz");
        fileRow("team 16", verify, changed("druzyny = 3", "druzyny = 3, 16"),
                "klucz „druzyny”: numer drużyny „16”");
        fileRow(
            "duration 0", program,
            changed("czas_zalaczenia_przekaznik_gorny = 1", "czas_zalaczenia_przekaznik_gorny = 0"),
            "klucz „czas_zalaczenia_przekaznik_gorny”: wartość „0”");
        fileRow("not an item", verify, changed("= Środek", "= Wszystkie"),
                "klucz „wyswietl_polecenie”: „Wszystkie”");
        fileRow("not text", program, QByteArray(100000, '\x01'), "za duży");
        QTest::newRow("no such file")
            << verify << good << Adjustment([](Options& chosen) { chosen.inputFile += ".none"; })
            << std::deque<Step>{} << badFile << "plik.txt.none";

        const QString aFile = dir_.filePath("zwykly-plik");
        QFile plain(aFile);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        const auto row = [&](const char* name, Adjustment adjust, std::deque<Step> steps,
                             ExitCode code, const QString& told) {
            QTest::newRow(name) << program << good << adjust << steps << int(code) << told;
        };
        row(
            "backup folder cannot be made",
            [aFile](Options& chosen) {
                chosen.noBackup = false;
                chosen.backupDirectory = (aFile + "/kopie").toStdString();
            },
            {}, ExitCode::OutputFailed, "nie można utworzyć katalogu kopii");
        row(
            "log cannot be opened",
            [this](Options& chosen) { chosen.logFile = dir_.path().toStdString(); }, {},
            ExitCode::OutputFailed, "nie można otworzyć dziennika");
        row(
            "log's folder cannot be made",
            [aFile](Options& chosen) {
                chosen.logFile = (aFile + "/dziennik/d.jsonl").toStdString();
            },
            {}, ExitCode::OutputFailed, "nie można utworzyć katalogu „" + aFile + "/dziennik”");
        QTest::newRow("a series with a file that cannot be used")
            << program << changed("druzyny = 3", "druzyny = 16")
            << Adjustment([](Options& chosen) { chosen.series = true; }) << std::deque<Step>{}
            << badFile << "klucz „druzyny”: numer drużyny „16”";
        const Adjustment backUp = [this](Options& chosen) {
            chosen.noBackup = false;
            chosen.backupDirectory = dir_.filePath("kopie").toStdString();
        };
        row("no answer to the backup read", backUp, {failed(ExitCode::NoAnswer, Finding::Silence)},
            ExitCode::NoAnswer, "nie wyszło");
        row("garbled backup read", backUp,
            {failed(ExitCode::TransmissionError, Finding::BadRecord)}, ExitCode::TransmissionError,
            "nie wyszło");
    }

    void aRefusalSendsNoFrame() {
        QFETCH(int, command);
        QFETCH(QByteArray, file);
        QFETCH(Adjustment, adjust);
        QFETCH(std::deque<Step>, steps);
        QFETCH(int, code);
        QFETCH(QString, told);
        Options chosen = options(Command(command), file);
        adjust(chosen);
        const Ended ended = run(chosen, steps);
        QCOMPARE(int(ended.code), code);
        QVERIFY2(ended.err.contains(told), qPrintable(ended.err));
        QCOMPARE(ended.asked.reads, int(steps.size()));
        QCOMPARE(ended.asked.programmings, 0);
    }

    // A file as the operator's editor saved it: Notepad's "ANSI" (Windows-1250), UTF-8 with a
    // byte-order mark and UTF-16 with one are read; a byte that neither knows is refused at its
    // line and key.
    void aFileIsReadAsItsEditorSavedIt_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("told");
        QByteArray utf8; // the settings alone: "Środek" and "Bez dźwięku" are their only letters
        for (const QByteArray& line : sampleText().split('\n'))
            if (!line.isEmpty() && !line.startsWith('#'))
                utf8 += line + "\r\n";
        const QByteArray windows1250 =
            QByteArray(utf8).replace("Ś", "\x8C").replace("ź", "\x9F").replace("ę", "\xEA");
        const QString agrees = "zgodna z plikiem";
        QTest::newRow("Windows-1250") << windows1250 << agrees;
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + utf8 << agrees;
        QTest::newRow("a byte in neither") << QByteArray(windows1250).replace("\xEA", "\x98")
                                           << "wiersz 9, klucz „tryb_buzera”: bajt 0x98";
        // Notepad's "Unicode" and "Unicode big endian".
        QByteArray littleEndian("\xFF\xFE");
        QByteArray bigEndian("\xFE\xFF");
        for (const QChar unit : QString::fromUtf8(utf8)) {
            littleEndian += char(unit.unicode() & 0xFF);
            littleEndian += char(unit.unicode() >> 8);
            bigEndian += char(unit.unicode() >> 8);
            bigEndian += char(unit.unicode() & 0xFF);
        }
        QTest::newRow("UTF-16 LE") << littleEndian << agrees;
        QTest::newRow("UTF-16 BE") << bigEndian << agrees;
    }

    void aFileIsReadAsItsEditorSavedIt() {
        QFETCH(QByteArray, file);
        QFETCH(QString, told);
        const Ended ended = run(options(Command::Verify, file), {answered(sample())});
        QCOMPARE(ended.code, told == "zgodna z plikiem" ? ExitCode::Done : ExitCode::BadInputFile);
        QVERIFY2(ended.err.contains(told), qPrintable(ended.err));
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
        for (const QByteArray& line : sampleText().split('\n'))
            if (!line.isEmpty() && !line.startsWith("wersja") && !line.contains("Wersja"))
                settings += line + "\n";
        settings.chop(1); // ends in the buzzer mode's name
        const QByteArray text = "#" + QByteArray(size - settings.size() - 2, 'x') + "\n" + settings;
        Options chosen = options(Command::Verify, text);
        std::istringstream input(text.toStdString());
        std::streambuf* const console = std::cin.rdbuf();
        if (standardInput) {
            // Not = "-", on which MinGW's g++ 12 warns of an overlap (-Wrestrict) that is none.
            chosen.inputFile = std::string("-");
            std::cin.rdbuf(input.rdbuf());
        }
        const Ended ended = run(chosen, {answered(sample())});
        std::cin.rdbuf(console);
        const bool tooLarge = size > 64 * 1024;
        QCOMPARE(ended.code, tooLarge ? ExitCode::BadInputFile : ExitCode::Done);
        QCOMPARE(ended.err.contains("jest za duży na plik konfiguracji"), tooLarge);
    }

    // A series waits for a receiver, programs it once, waits while it is still there, and takes
    // the next once it has gone or another has taken its place. A port that fails is told once
    // and tried again, a query at most each second; silence and a garbled answer are told nothing.
    void aSeriesTakesEachReceiverOnce_data() {
        QTest::addColumn<std::deque<Step>>("steps");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("done");
        QTest::addColumn<QString>("told");
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
            << 2 << 2 << "";
        QTest::newRow("another swapped in")
            << std::deque{answered({}),      answered({}), answered(sample()), answered(another),
                          answered(another), answered({}), answered(sample())}
            << 2 << 2 << "";
        QTest::newRow("a port that fails at first")
            << std::deque{slow(failed(ExitCode::InvalidPort, {})),
                          slow(failed(ExitCode::InvalidPort, {})), answered({}), answered({}),
                          answered(sample())}
            << 1 << 1 << "orv52-cli: nie wyszło (ponawiam co sekundę)\n";
        QTest::newRow("one differs, one fails")
            << std::deque{answered({}), answered({}), answered(holdingNothing()),
                          silence,      answered({}), silence}
            << 2 << 0
            << "orv52-cli: nie wyszło\norv52-cli: " +
                   QString::fromStdString(findingText(readingOf(Finding::Silence))) + "\n";
    }

    void aSeriesTakesEachReceiverOnce() {
        QFETCH(std::deque<Step>, steps);
        QFETCH(int, count);
        QFETCH(int, done);
        QFETCH(QString, told);
        const Ended ended = run(seriesOf(count), steps);
        QCOMPARE(ended.code, done == count ? ExitCode::Done : ExitCode::ReceiverFailed);
        QCOMPARE(ended.asked.programmings, count);
        QCOMPARE(ended.err, told); // no status line and no bell on a pipe
        QVERIFY2(ended.out.endsWith(QString::fromStdString(seriesSummaryText(done, count - done))),
                 qPrintable(ended.out));
        const std::vector<qint64>& starts = ended.asked.readStartsMs;
        for (std::size_t i = 1; i < starts.size(); ++i)
            QVERIFY2(starts[i] - starts[i - 1] < 1400, qPrintable(QString::number(i)));
    }

    // Ctrl-C ends a wait at once, the query under way with it, and the series tells how far it
    // came.
    void ctrlCEndsASeriesWait_data() {
        QTest::addColumn<std::deque<Step>>("steps");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("failedBefore");
        QTest::newRow("for the only receiver")
            << std::deque{stopping(failed(ExitCode::NoAnswer, Finding::Silence))} << 1 << 0;
        QTest::newRow("for the first to leave")
            << std::deque{answered({}), answered({}), answered(holdingNothing()),
                          stopping(answered(holdingNothing()))}
            << 3 << 1;
    }

    void ctrlCEndsASeriesWait() {
#ifdef Q_OS_WIN
        QSKIP("Windows sends console events, not signals");
#endif
        QFETCH(std::deque<Step>, steps);
        QFETCH(int, count);
        QFETCH(int, failedBefore);
        const Ended ended = run(seriesOf(count), steps);
        QCOMPARE(ended.code, ExitCode::Interrupted);
        QCOMPARE(ended.asked.cancels, 1);
        QVERIFY2(ended.tookMs < 800, qPrintable(QString::number(ended.tookMs)));
        QVERIFY2(ended.out.endsWith(QString::fromStdString(seriesSummaryText(0, failedBefore) +
                                                           seriesStoppedText(failedBefore, count))),
                 qPrintable(ended.out));
    }

    // On a terminal a status line tells which receiver is being programmed, and each result
    // rings the bell.
    void onATerminalEachReceiverIsNumberedAndRung() {
#ifdef Q_OS_WIN
        QSKIP("standard error is made a terminal with a Linux pseudo-terminal");
#else
        int controller = -1;
        int terminal = -1;
        QVERIFY(::openpty(&controller, &terminal, nullptr, nullptr, nullptr) == 0);
        const int standardError = ::dup(STDERR_FILENO);
        ::dup2(terminal, STDERR_FILENO);
        const Step silence = failed(ExitCode::NoAnswer, Finding::Silence);
        const Ended ended =
            run(seriesOf(2), {answered({}), answered({}), answered(holdingNothing()), silence,
                              answered({}), answered({}), answered(sample())});
        ::dup2(standardError, STDERR_FILENO);
        for (const int fd : {standardError, terminal, controller})
            ::close(fd);
        for (int ordinal = 1; ordinal <= 2; ++ordinal)
            QVERIFY2(ended.err.contains(QString::fromStdString(programmingReceiverText(ordinal))),
                     qPrintable(ended.err));
        QCOMPARE(ended.err.count('\a'), 2);
#endif
    }
};

QTEST_GUILESS_MAIN(TestCliDecisions)
#include "test_cli_decisions.moc"
