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

// The page's title: the text of the guide's first heading.
QString firstHeading(const QString& markdown) {
    const auto match =
        QRegularExpression(QStringLiteral("^# (.+)$"), QRegularExpression::MultilineOption)
            .match(markdown);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
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
    QString html = document.toHtml();
    html.replace(QStringLiteral("<html>"), QStringLiteral("<html lang=\"pl\">"));

    QSaveFile output(args[2]);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        output.write(html.toUtf8()) < 0 || !output.commit()) {
        err << "cannot write " << args[2] << ": " << output.errorString() << "\n";
        return 1;
    }
    return 0;
}
