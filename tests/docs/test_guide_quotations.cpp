// The operator's guide (docs/instrukcja.md) and the README quote the programs word for word, and
// this test holds them to that. The guide's quotations come in these kinds:
// - a blockquote is one whole operator message or one whole explanation that orv52-cli gives
//   after a failed exchange, and every message and every explanation is quoted so;
// - a text in „…” outside code is a text the programs show: in their windows, as a message or its
//   title, or in --help;
// - in code, a command line of orv52-cli or orv52-prog names a command and options that the
//   program's --help lists, and a lone option is listed by the --help of either;
// - a row "| N | „…” |" of the table of exit codes gives orv52-cli's own meaning of code N, and
//   every code that the prose names ("kodem 3") is one of orv52-cli's codes.
// The README is written for maintainers, in English, beside the build's and the tools' own
// options, so it is held to fewer rules: a text in "…" or „…” outside code is one the programs
// show, a command line of either program in code is as above, and every code that it names
// ("exits 3") is one of orv52-cli's. Its lone options may be another tool's.
// What a code block shows as a program's output is an example and is not checked.
#include "messages/exit_code.h"
#include "messages/finding_text.h"
#include "messages/message_catalogue.h"
#include "ui/adresowanie_form.h"
#include "ui/frm_about.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <cstdint>
#include <limits>

namespace {

// How a document quotes: the guide in Polish, the README in English.
struct QuotingRules {
    QRegularExpression codeNamed;  // a sentence naming an exit code
    QRegularExpression textQuoted; // a text of the programs, outside code
    bool loneOptionsAreThePrograms;
};

const QuotingRules& guideRules() {
    static const QuotingRules rules{
        QRegularExpression(QStringLiteral("\\b[Kk]od(?:em|u)? (\\d+)\\b")),
        QRegularExpression(QStringLiteral("„([^„”]+)”")), true};
    return rules;
}

const QuotingRules& readmeRules() {
    static const QuotingRules rules{
        QRegularExpression(QStringLiteral("\\b(?:exits?|ends) (?:with )?(?:code )?(\\d+)\\b")),
        QRegularExpression(QStringLiteral("„([^„”]+)”|\"([^\"]+)\"")), false};
    return rules;
}

struct Quotations {
    QStringList blockquotes;
    QStringList quoted;           // the texts in „…”, blanks simplified
    QStringList command;          // the code spans and the lines typed after "$ " in code blocks
    QMap<int, QString> exitCodes; // the rows of the table of exit codes
    QList<int> codesNamed;        // the exit codes that the prose names
    bool loneOptionsAreThePrograms = true;
};

Quotations readQuotations(const QString& markdown, const QuotingRules& rules = guideRules()) {
    Quotations found;
    found.loneOptionsAreThePrograms = rules.loneOptionsAreThePrograms;
    QString prose;
    QString blockquote;
    bool inCodeBlock = false;
    const auto endBlockquote = [&] {
        if (!blockquote.isEmpty())
            found.blockquotes << blockquote.simplified();
        blockquote.clear();
    };
    for (const QString& line : markdown.split(QLatin1Char('\n'))) {
        const QString text = line.trimmed();
        if (text.startsWith(QLatin1String("```"))) {
            endBlockquote();
            inCodeBlock = !inCodeBlock;
        } else if (inCodeBlock) {
            if (text.startsWith(QLatin1String("$ ")))
                found.command << text.mid(2);
        } else if (text.startsWith(QLatin1Char('>'))) {
            blockquote += QLatin1Char(' ') + text.mid(1);
        } else {
            endBlockquote();
            static const QRegularExpression codeRow(
                QStringLiteral("^\\| (\\d+) \\| „([^„”]+)” \\|$"));
            if (const auto row = codeRow.match(text); row.hasMatch())
                found.exitCodes.insert(row.captured(1).toInt(), row.captured(2));
            prose += line + QLatin1Char('\n');
        }
    }
    endBlockquote();
    static const QRegularExpression codeSpan(QStringLiteral("`([^`]+)`"));
    for (const auto& match : codeSpan.globalMatch(prose))
        found.command << match.captured(1);
    prose.remove(codeSpan);
    for (const auto& match : rules.codeNamed.globalMatch(prose))
        found.codesNamed << match.captured(1).toInt();
    for (const auto& match : rules.textQuoted.globalMatch(prose))
        found.quoted << match.captured(match.lastCapturedIndex()).simplified();
    return found;
}

struct ProgramTexts {
    QStringList messages;        // the catalogue's texts and orv52-cli's explanations
    QString shown;               // every text shown, blanks simplified, one per line
    QMap<QString, QString> help; // --help of each program
};

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList widgetTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        else if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
            texts << frame->title();
        else if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts << label->text();
        else if (const auto* list = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
    }
    return texts;
}

QString helpOf(const char* program) {
    QProcess process;
    process.start(QString::fromLocal8Bit(program), {QStringLiteral("--help")});
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList wrongCommand(const QString& code, const QMap<QString, QString>& help,
                         bool loneOptionsAreThePrograms) {
    QStringList words = code.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    // A program run from the build tree, as build/app/orv52-cli.
    words.front() = words.front().section(QLatin1Char('/'), -1);
    QString listed;
    if (help.contains(words.front())) {
        listed = help[words.front()];
        // orv52-cli's first word after the program's name that is no option is its command.
        if (words.front() == QLatin1String("orv52-cli") && words.size() > 1 &&
            !words[1].startsWith(QLatin1Char('-')) &&
            !listed.contains(QRegularExpression(
                QStringLiteral("^  %1\\b").arg(QRegularExpression::escape(words[1])),
                QRegularExpression::MultilineOption)))
            return {QStringLiteral("no such command: %1").arg(code)};
    } else if (loneOptionsAreThePrograms && words.front().startsWith(QLatin1String("--"))) {
        listed = QStringList(help.values()).join(QLatin1Char('\n'));
    } else {
        return {};
    }
    QStringList wrong;
    for (const QString& word : words) {
        const QString option = word.section(QLatin1Char('='), 0, 0);
        if (option.startsWith(QLatin1String("--")) &&
            !listed.contains(QRegularExpression(
                QStringLiteral("(?<![\\w-])%1(?![\\w-])").arg(QRegularExpression::escape(option)))))
            wrong << QStringLiteral("no such option: %1 in %2").arg(option, code);
    }
    return wrong;
}

QStringList wrongQuotations(const Quotations& quotations, const ProgramTexts& programs) {
    QStringList wrong;
    for (const QString& text : quotations.blockquotes)
        if (!programs.messages.contains(text))
            wrong << QStringLiteral("no such message or explanation: %1").arg(text);
    for (const QString& text : quotations.quoted)
        if (!programs.shown.contains(text))
            wrong << QStringLiteral("not shown by the programs: „%1”").arg(text);
    for (const QString& code : quotations.command)
        wrong << wrongCommand(code, programs.help, quotations.loneOptionsAreThePrograms);
    for (const int code : quotations.codesNamed)
        if (code > static_cast<int>(orv52::ExitCode::Interrupted))
            wrong << QStringLiteral("no such exit code: %1").arg(code);
    for (auto row = quotations.exitCodes.begin(); row != quotations.exitCodes.end(); ++row) {
        const int code = row.key();
        if (code > static_cast<int>(orv52::ExitCode::Interrupted) ||
            row.value() != fromUtf8(orv52::exitCodeMeaning(static_cast<orv52::ExitCode>(code))))
            wrong << QStringLiteral("exit code %1 does not mean „%2”").arg(code).arg(row.value());
    }
    return wrong;
}

} // namespace

class GuideQuotationsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyQuotationIsThePrograms();
    void everyMessageAndExplanationIsQuoted();
    void everyReadmeQuotationIsThePrograms();
    void aMadeUpQuotationFails_data();
    void aMadeUpQuotationFails();
    void aMadeUpReadmeQuotationFails_data();
    void aMadeUpReadmeQuotationFails();

private:
    ProgramTexts programs_;
    Quotations guide_;
    Quotations readme_;
};

void GuideQuotationsTest::initTestCase() {
    QFile guide(QStringLiteral(ORV52_GUIDE));
    QVERIFY(guide.open(QIODevice::ReadOnly));
    guide_ = readQuotations(QString::fromUtf8(guide.readAll()));
    QFile readme(QStringLiteral(ORV52_README));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    readme_ = readQuotations(QString::fromUtf8(readme.readAll()), readmeRules());

    QStringList shown;
    for (int id = 100; id < 200; ++id) {
        if (const auto message = orv52::findMessage(id)) {
            programs_.messages << fromUtf8(message->text);
            shown << fromUtf8(message->text) << fromUtf8(orv52::messageTitle(message->kind));
        }
    }
    // Every value a finding can take, so that a finding added later is quoted too.
    // A value this program does not know is explained with its setting and byte, as the guide's
    // example shows them.
    for (int i = 0; i <= std::numeric_limits<std::uint8_t>::max(); ++i) {
        orv52::AnswerReading reading{static_cast<orv52::Finding>(i), {}, {}};
        if (reading.finding == orv52::Finding::UnknownValue)
            reading.unknownValue = orv52::UnknownListValue{&orv52::kDisplayCommand, 0x80};
        if (const std::string text = orv52::findingText(reading); !text.empty())
            programs_.messages << fromUtf8(text);
    }
    // The line under message 108, as the guide's example shows it.
    programs_.messages << fromUtf8(orv52::accessDeniedDetail("/dev/ttyUSB0", "dialout"));

    programs_.help[QStringLiteral("orv52-cli")] = helpOf(ORV52_CLI);
    programs_.help[QStringLiteral("orv52-prog")] = helpOf(ORV52_PROGRAM);
    for (const QString& help : programs_.help)
        QVERIFY(!help.isEmpty());
    orv52::Adresowanie_Form window;
    orv52::frmAbout about(&window);
    shown << widgetTexts(window) << widgetTexts(about) << programs_.help.values();
    for (QString& text : shown)
        text = text.simplified();
    programs_.shown = shown.join(QLatin1Char('\n'));
}

void GuideQuotationsTest::everyQuotationIsThePrograms() {
    QVERIFY(guide_.blockquotes.size() > 10 && guide_.quoted.size() > 30 &&
            guide_.command.size() > 10 && !guide_.codesNamed.isEmpty());
    // The table names every code.
    QCOMPARE(guide_.exitCodes.keys(), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    const QStringList wrong = wrongQuotations(guide_, programs_);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

void GuideQuotationsTest::everyMessageAndExplanationIsQuoted() {
    for (const QString& message : programs_.messages)
        QVERIFY2(guide_.blockquotes.contains(message), qPrintable(message));
}

void GuideQuotationsTest::everyReadmeQuotationIsThePrograms() {
    QVERIFY(readme_.quoted.size() > 5 && readme_.command.size() > 10 &&
            !readme_.codesNamed.isEmpty());
    const QStringList wrong = wrongQuotations(readme_, programs_);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
}

void GuideQuotationsTest::aMadeUpQuotationFails_data() {
    QTest::addColumn<QString>("markdown");
    QTest::newRow("message") << QStringLiteral("> Odbiornik nie odpowiada !!!\n");
    QTest::newRow("message altered") << QStringLiteral("> Błąd w transmisji !\n");
    QTest::newRow("window text") << QStringLiteral("Naciśnij „Wyślij”.\n");
    QTest::newRow("command") << QStringLiteral("Wpisz `orv52-cli erase --port COM1`.\n");
    QTest::newRow("option in a command")
        << QStringLiteral("```console\n$ orv52-cli read --speed 9600\n```\n");
    QTest::newRow("lone option") << QStringLiteral("Opcja `--turbo` przyspiesza.\n");
    QTest::newRow("window option") << QStringLiteral("`orv52-prog --port COM2`\n");
    QTest::newRow("exit code") << QStringLiteral("Kończy się kodem 12.\n");
    QTest::newRow("exit code's meaning") << QStringLiteral("| 3 | „błąd w transmisji” |\n");
    QTest::newRow("exit code beyond the table") << QStringLiteral("| 12 | „wykonano” |\n");
}

void GuideQuotationsTest::aMadeUpQuotationFails() {
    QFETCH(QString, markdown);
    const QString faithful = QStringLiteral(
        "> Błąd w transmisji !!!\n\nNaciśnij „Prześlij”, potem „Odbierz”.\n\n"
        "`orv52-cli read --port COM1`, `--trace`\n\n```console\n$ orv52-cli ports\nCOM1  x\n```\n"
        "Kod 3 to:\n\n| 3 | „brak połączenia z odbiornikiem” |\n");
    QVERIFY(wrongQuotations(readQuotations(faithful), programs_).isEmpty());
    QCOMPARE(
        wrongQuotations(readQuotations(faithful + QLatin1Char('\n') + markdown), programs_).size(),
        1);
}

void GuideQuotationsTest::aMadeUpReadmeQuotationFails_data() {
    QTest::addColumn<QString>("markdown");
    QTest::newRow("message") << QStringLiteral("It says \"Błąd transmisji !!!\".\n");
    QTest::newRow("window text") << QStringLiteral("Press „Wyślij”.\n");
    QTest::newRow("command from the build tree")
        << QStringLiteral("```console\n$ build/app/orv52-cli read --speed 9600\n```\n");
    QTest::newRow("command") << QStringLiteral("Run `orv52-prog --port COM2`.\n");
    QTest::newRow("exit code") << QStringLiteral("It exits with code 12.\n");
}

// The README's own rules: what the guide's would refuse there, a lone option of another tool, is
// let through.
void GuideQuotationsTest::aMadeUpReadmeQuotationFails() {
    QFETCH(QString, markdown);
    const QString faithful = QStringLiteral(
        "Press \"Odbierz\", and it says \"Błąd w transmisji !!!\" and exits 4. Mutation runs take "
        "`--threshold`.\n\n```console\n$ build/app/orv52-cli verify --trace plik.txt\n```\n");
    QVERIFY(wrongQuotations(readQuotations(faithful, readmeRules()), programs_).isEmpty());
    QCOMPARE(wrongQuotations(readQuotations(faithful + QLatin1Char('\n') + markdown, readmeRules()),
                             programs_)
                 .size(),
             1);
}

QTEST_MAIN(GuideQuotationsTest)
#include "test_guide_quotations.moc"
