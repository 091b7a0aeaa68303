#include "app/startup_text.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

using orv52::StartupStream;

namespace {

// Standard error pointed at `descriptor` while it lives, as the program's starter left it.
class ErrorStreamAt {
public:
    explicit ErrorStreamAt(int descriptor) : saved_(dup(STDERR_FILENO)) {
        dup2(descriptor, STDERR_FILENO);
    }
    ~ErrorStreamAt() {
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    ErrorStreamAt(const ErrorStreamAt&) = delete;
    ErrorStreamAt& operator=(const ErrorStreamAt&) = delete;

private:
    int saved_;
};

struct Shown {
    bool inBox = false;
    QString title;
    QString text;
};

// Shows a usage error as orv52-prog does, closing any message box it opens and noting it.
Shown showUsageError(const QString& text) {
    Shown shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = {true, box->windowTitle(), box->text()};
            box->accept();
        }
    });
    closer.start(10);
    int argc = 1;
    char name[] = "orv52-prog";
    char* argv[] = {name, nullptr};
    orv52::showStartupText(argc, argv, StartupStream::Error, text, QMessageBox::Warning);
    return shown;
}

const QString kUsageError = QStringLiteral("orv52-prog: nieznana opcja „--portt”\n");

} // namespace

class TestStartupText : public QObject {
    Q_OBJECT

private slots:
    // Started from a desktop, standard error reaches nobody: the error is in a message box.
    void withoutATerminalTheErrorIsInAMessageBox() {
        const int nowhere = open("/dev/null", O_WRONLY);
        QVERIFY(nowhere >= 0);
        Shown shown;
        {
            const ErrorStreamAt redirected(nowhere);
            shown = showUsageError(kUsageError);
        }
        close(nowhere);
        QVERIFY(shown.inBox);
        QCOMPARE(shown.title, QStringLiteral("ORV-52 Prog"));
        QCOMPARE(shown.text, kUsageError.trimmed());
    }

    // A terminal, or a file or pipe someone pointed the stream at, takes the text as it is.
    void withAStreamTheErrorGoesThere_data() {
        QTest::addColumn<QString>("stream");
        QTest::newRow("terminal") << "terminal";
        QTest::newRow("file") << "file";
        QTest::newRow("pipe") << "pipe";
    }

    void withAStreamTheErrorGoesThere() {
        QFETCH(QString, stream);
        int writeEnd = -1;
        int readEnd = -1;
        QTemporaryFile file;
        if (stream == "terminal") {
            QCOMPARE(openpty(&readEnd, &writeEnd, nullptr, nullptr, nullptr), 0);
        } else if (stream == "file") {
            QVERIFY(file.open());
            writeEnd = dup(file.handle());
            readEnd = open(file.fileName().toLocal8Bit().constData(), O_RDONLY);
        } else {
            int ends[2];
            QCOMPARE(pipe(ends), 0);
            readEnd = ends[0];
            writeEnd = ends[1];
        }
        Shown shown;
        {
            const ErrorStreamAt redirected(writeEnd);
            shown = showUsageError(kUsageError);
        }
        close(writeEnd);
        QVERIFY(!shown.inBox);
        char received[256] = {};
        const auto length = read(readEnd, received, sizeof received - 1);
        close(readEnd);
        QVERIFY(length > 0);
        // A terminal turns the line feed into CR LF.
        QCOMPARE(QString::fromUtf8(received, length).remove(QLatin1Char('\r')), kUsageError);
    }
};

QTEST_MAIN(TestStartupText)
#include "test_startup_text.moc"
