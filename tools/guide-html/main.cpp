// Renders the operator's guide from Markdown to one HTML page with Qt's own Markdown reader, so
// that the guide is written once, in docs/instrukcja.md. Pictures keep their relative paths: the
// page is installed beside them.

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextStream>

namespace {

// Qt writes every style inline, for its own text engine: a font a browser does not know, no space
// above headings, the page as wide as the window. These rules, which outweigh the inline ones, make
// the page read well in a browser. A paragraph indented on both sides is a quoted message.
constexpr char kBrowserStyle[] = R"(<style type="text/css">
body { font-family: sans-serif !important; font-size: 11pt !important; line-height: 1.45;
       max-width: 50em; margin: 1em auto !important; padding: 0 1em; color: #222; }
h1, h2, h3 { margin-top: 1.4em !important; margin-bottom: 0.5em !important; }
h2 { border-bottom: 1px solid #ccc; }
pre { background: #f4f4f4; padding: 0.6em 0.8em !important; white-space: pre-wrap;
      overflow-wrap: anywhere; }
table { border-collapse: collapse; margin: 0.6em 0; border-color: #bbb; }
td { padding: 0.25em 0.6em; vertical-align: top; }
td span[style*="monospace"] { overflow-wrap: anywhere; }
p[style*="margin-left:40px"] { border-left: 4px solid #b22; background: #fbf3f3;
       padding: 0.4em 0.8em; margin-left: 1.5em !important; margin-right: 0 !important; }
img { max-width: 100%; }
</style>)";

// The page's title: the text of the guide's first heading.
QString firstHeading(const QString& markdown) {
    const auto match =
        QRegularExpression(QStringLiteral("^# (.+)$"), QRegularExpression::MultilineOption)
            .match(markdown);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

// A chapter heading's id as GitHub makes it ("2. Podłączenie odbiornika" is
// "2-podłączenie-odbiornika"), so that the table of contents links alike on both.
QString headingId(const QString& heading) {
    QString id;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-'))
            id += c;
        else if (c == QLatin1Char(' '))
            id += QLatin1Char('-');
    }
    return id;
}

// Qt writes no ids; every chapter heading gets one.
QString withChapterIds(const QString& html) {
    static const QRegularExpression chapter(QStringLiteral("<h2 ([^>]*><span[^>]*>)([^<]+)<"));
    QString marked;
    qsizetype copied = 0;
    for (const auto& match : chapter.globalMatch(html)) {
        marked += html.mid(copied, match.capturedStart(1) - copied);
        marked += QStringLiteral("id=\"%1\" ").arg(headingId(match.captured(2)));
        copied = match.capturedStart(1);
    }
    return marked + html.mid(copied);
}

// Qt's page as a browser should show it: chapters that links reach, in Polish, with the style
// above, a code block as one block rather than a block per line, and the "!" that ends a message
// never wrapped alone onto a line.
QString forBrowsers(QString html) {
    html = withChapterIds(html);
    html.replace(QRegularExpression(QStringLiteral("</pre>\\s*<pre[^>]*>")), QStringLiteral("\n"));
    html.replace(QStringLiteral(" !"), QStringLiteral("&nbsp;!"));
    html.replace(QStringLiteral("<html>"), QStringLiteral("<html lang=\"pl\">"));
    html.replace(QStringLiteral("</head>"),
                 QString::fromUtf8(kBrowserStyle) + QStringLiteral("</head>"));
    return html;
}

} // namespace

int main(int argc, char* argv[]) {
    // QTextDocument lays its text out with fonts, which need the GUI application object.
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        err << "usage: orv52-guide-html <guide.md> <guide.html>\n";
        return 2;
    }
    QFile input(args[1]);
    if (!input.open(QIODevice::ReadOnly)) {
        err << "cannot read " << args[1] << ": " << input.errorString() << "\n";
        return 1;
    }
    const QString markdown = QString::fromUtf8(input.readAll());

    QTextDocument document;
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    document.setMetaInformation(QTextDocument::DocumentTitle, firstHeading(markdown));
    const QString html = forBrowsers(document.toHtml());

    QSaveFile output(args[2]);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        output.write(html.toUtf8()) < 0 || !output.commit()) {
        err << "cannot write " << args[2] << ": " << output.errorString() << "\n";
        return 1;
    }
    return 0;
}
