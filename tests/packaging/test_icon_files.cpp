// The icon files the installers take are the program's XPM icon, pixel for pixel: the PNG and
// ICO that the converter writes, and the ICO committed for the Windows resource script.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs the converter; its exit code, or -1 when it did not run to the end.
int convert(const QString& input, const QString& output) {
    QProcess process;
    process.start(QStringLiteral(ORV52_ICON_CONVERT), {input, output});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return process.exitCode();
}

QImage pixels(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class IconFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        xpm_ = pixels(QStringLiteral(ORV52_ICON_XPM));
        QCOMPARE(xpm_.size(), QSize(16, 16));
    }

    void writesA16x16IcoHoldingTheXpm() {
        QTemporaryDir dir;
        const QString ico = dir.filePath(QStringLiteral("icon.ico"));
        QCOMPARE(convert(QStringLiteral(ORV52_ICON_XPM), ico), 0);

        QFile file(ico);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // Reserved 0, type 1 (icon), one image, 16 wide, 16 high.
        QCOMPARE(file.read(8), QByteArray::fromHex("0000010001001010"));
        QCOMPARE(pixels(ico), xpm_);
    }

    void writesAPngHoldingTheXpm() {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("icon.png"));
        QCOMPARE(convert(QStringLiteral(ORV52_ICON_XPM), png), 0);
        QCOMPARE(pixels(png), xpm_);
    }

    void committedWindowsIconHoldsTheXpm() {
        QVERIFY2(pixels(QStringLiteral(ORV52_WINDOWS_ICO)) == xpm_,
                 "the Windows icon differs from ui/app_icon.xpm: run scripts/windows-icon.sh");
    }

    void failureExitsNonZeroAndLeavesNoFile() {
        QTemporaryDir dir;
        const QString fromMissing = dir.filePath(QStringLiteral("a.png"));
        QVERIFY(convert(dir.filePath(QStringLiteral("missing.xpm")), fromMissing) > 0);
        QVERIFY(!QFile::exists(fromMissing));

        const QString unknownFormat = dir.filePath(QStringLiteral("a.nosuchformat"));
        QVERIFY(convert(QStringLiteral(ORV52_ICON_XPM), unknownFormat) > 0);
        QVERIFY(!QFile::exists(unknownFormat));
    }

private:
    QImage xpm_;
};

QTEST_GUILESS_MAIN(IconFilesTest)
#include "test_icon_files.moc"
