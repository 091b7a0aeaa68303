#include "app/startup_text.h"

#include <QApplication>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

class TestStartupText : public QObject {
    Q_OBJECT

private slots:
    // A usage error goes where the stream was pointed: a terminal, a file or a pipe takes it as
    // it is; /dev/null, as from a desktop, reaches nobody, so it is in a message box instead.
    void theErrorGoesWhereTheOperatorSeesIt_data() {
        QTest::addColumn<QString>("stream");
        for (const char* stream : {"terminal", "file", "pipe", "nowhere"})
            QTest::newRow(stream) << stream;
    }

    void theErrorGoesWhereTheOperatorSeesIt() {
        QFETCH(QString, stream);
        const QString error = QStringLiteral("orv52-prog: nieznana opcja „--portt”\n");
        int readEnd = -1;
        int writeEnd = -1;
        QTemporaryFile file;
        if (stream == "terminal") {
            QCOMPARE(openpty(&readEnd, &writeEnd, nullptr, nullptr, nullptr), 0);
        } else if (stream == "file") {
            QVERIFY(file.open());
            writeEnd = dup(file.handle());
            readEnd = open(file.fileName().toLocal8Bit().constData(), O_RDONLY);
        } else if (stream == "pipe") {
            int ends[2];
            QCOMPARE(pipe(ends), 0);
            readEnd = ends[0];
            writeEnd = ends[1];
        } else {
            writeEnd = open("/dev/null", O_WRONLY);
        }
        QString boxTitle;
        QString boxText;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxTitle = box->windowTitle();
                boxText = box->text();
                box->accept();
            }
        });
        closer.start(10);
        const int savedError = dup(STDERR_FILENO);
        dup2(writeEnd, STDERR_FILENO);
        int argc = 1;
        char name[] = "orv52-prog";
        char* argv[] = {name, nullptr};
        orv52::showStartupText(argc, argv, orv52::StartupStream::Error, error,
                               QMessageBox::Warning);
        dup2(savedError, STDERR_FILENO);
        close(savedError);
        close(writeEnd);
        if (readEnd < 0) {
            QCOMPARE(boxTitle, QStringLiteral("ORV-52 Prog"));
            QCOMPARE(boxText, error.trimmed());
            return;
        }
        QVERIFY(boxTitle.isEmpty());
        char received[256] = {};
        const auto length = read(readEnd, received, sizeof received - 1);
        close(readEnd);
        // A terminal turns the line feed into CR LF.
        QCOMPARE(QString::fromUtf8(received, qMax<qsizetype>(length, 0)).remove(QLatin1Char('\r')),
                 error);
    }
};

QTEST_MAIN(TestStartupText)
#include "test_startup_text.moc"
