#include "app/cli_command_line.h"
#include "cli/trace_line.h"
#include "messages/exit_code.h"

#include <QRegularExpression>
#include <QTest>

using namespace orv52;
using namespace orv52::cli;

namespace {

ParsedCommandLine parse(const QString& line) {
    std::vector<std::string> arguments;
    for (const QString& word : line.split(' ', Qt::SkipEmptyParts))
        arguments.push_back(word.toStdString());
    return parseCommandLine(arguments);
}

} // namespace

class TestCliCommandLine : public QObject {
    Q_OBJECT

private slots:
    void commandsAndOptionsInAnyOrder() {
        const auto read = parse("read");
        QVERIFY(read.options);
        QCOMPARE(read.options->port, std::string("COM1"));
        QVERIFY(read.options->outputFile.empty());
        QVERIFY(!read.options->trace);

        const auto program = parse("--trace program --port /dev/ttyUSB0 plik.txt --output wynik");
        QVERIFY(program.options);
        QVERIFY(program.options->command == Command::Program);
        QCOMPARE(program.options->port, std::string("/dev/ttyUSB0"));
        QCOMPARE(program.options->inputFile, std::string("plik.txt"));
        QCOMPARE(program.options->outputFile, std::string("wynik"));
        QVERIFY(program.options->trace);

        const auto fromStdin = parse("verify -");
        QVERIFY(fromStdin.options);
        QCOMPARE(fromStdin.options->inputFile, std::string("-"));

        QVERIFY(parse("program plik --help").help);

        const auto series = parse("program --series --count 20 --quiet --log d.jsonl "
                                  "--backup kopie plik");
        QVERIFY(series.options);
        QVERIFY(series.options->series && series.options->quiet && !series.options->noBackup);
        QCOMPARE(series.options->count, 20);
        QCOMPARE(series.options->logFile, std::string("d.jsonl"));
        QCOMPARE(series.options->backupDirectory, std::string("kopie"));
        QVERIFY(parse("program --no-backup plik").options->noBackup);
        QCOMPARE(parse("program --series plik").options->count, 0); // until stopped
    }

    void usageErrorsAreToldInPolish_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << ""
                                 << "brak polecenia";
        QTest::newRow("unknown command") << "write"
                                         << "nieznane polecenie „write”";
        QTest::newRow("unknown option") << "read --baud 9600"
                                        << "nieznana opcja „--baud”";
        QTest::newRow("port without value") << "read --port"
                                            << "opcja --port wymaga wartości";
        QTest::newRow("program without file") << "program"
                                              << "wymaga jednego pliku";
        QTest::newRow("verify with two files") << "verify a b"
                                               << "wymaga jednego pliku";
        QTest::newRow("read with a file") << "read plik"
                                          << "nie przyjmuje pliku";
        QTest::newRow("series of a read") << "read --series"
                                          << "--series dotyczy tylko polecenia program";
        QTest::newRow("count without series") << "program --count 3 plik"
                                              << "dotyczą tylko serii";
        QTest::newRow("count of none") << "program --series --count 0 plik"
                                       << "--count wymaga liczby odbiorników od 1";
        QTest::newRow("count not a number") << "program --series --count 3x plik"
                                            << "--count wymaga liczby";
        QTest::newRow("backup and no backup") << "program --backup k --no-backup plik"
                                              << "wykluczają się";
        QTest::newRow("probe of a read") << "read --probe"
                                         << "--probe dotyczy tylko polecenia ports";
        QTest::newRow("ports on auto") << "ports --port auto"
                                       << "ports nie przyjmuje --port auto";
        QTest::newRow("series on auto") << "program --series --port auto plik"
                                        << "seria nie przyjmuje --port auto";
    }

    void usageErrorsAreToldInPolish() {
        QFETCH(QString, line);
        QFETCH(QString, error);
        const auto parsed = parse(line);
        QVERIFY(!parsed.options);
        QVERIFY(!parsed.help);
        QVERIFY2(QString::fromStdString(parsed.error).contains(error), parsed.error.c_str());
    }

    void helpListsEveryExitCode() {
        const QString help = QString::fromStdString(usageText());
        for (int code = 0; code <= static_cast<int>(ExitCode::Interrupted); ++code)
            QVERIFY2(help.contains(QRegularExpression(QStringLiteral("\\n +%1  \\S").arg(code))),
                     qPrintable(QString::number(code)));
    }

    void traceLinesCarryTimeDirectionAndHex() {
        const std::vector<std::uint8_t> bytes{0x43, 0x46, 0x00, 0xFF, 0x0A};
        QCOMPARE(traceLine(0.0004, true, bytes), std::string("[   0.000] TX 43 46 00 FF 0A\n"));
        QCOMPARE(traceLine(12.3456, false, {}), std::string("[  12.346] RX\n"));
    }
};

QTEST_APPLESS_MAIN(TestCliCommandLine)
#include "test_cli_command_line.moc"
