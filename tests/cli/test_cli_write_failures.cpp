#include "cli_run.h"
#include "support/receiver_simulator.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// LeakSanitizer refuses to run under ptrace, so a sanitized orv52-cli cannot be traced.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORV52_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ORV52_SANITIZED 1
#endif

// Every write of orv52-cli either reaches its target or ends the command with exit 10 and a
// message naming what was not written; and a target that is not a regular file is written
// through, never replaced.
namespace {

mode_t fileType(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return status.st_mode & S_IFMT;
}

mode_t permissions(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

CliRun runWithOutputTo(const QString& file, const QStringList& arguments) {
    QProcess cli;
    cli.setStandardOutputFile(file);
    startCli(cli, arguments);
    cli.closeWriteChannel();
    return finishCli(cli);
}

// The system's null or full device; as root, a node of the test's own for the same device, so
// that a program that replaces what it writes to can only replace that one.
QString deviceNode(const QTemporaryDir& dir, const QString& name) {
    if (geteuid() != 0)
        return "/dev/" + name;
    const QString node = dir.filePath(name);
    const unsigned minor = name == "null" ? 3 : 7;
    if (fileType(node) == 0)
        ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, minor));
    return node;
}

QByteArray readWhole(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray{};
}

} // namespace

class TestCliWriteFailures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void unwrittenResultEndsWithTenNamingIt_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        const QString stdOut = "nie można zapisać na standardowe wyjście: No space left on device";
        QTest::newRow("read to stdout") << QStringList{"read", "--port", "LINE"} << stdOut;
        QTest::newRow("ports") << QStringList{"ports"} << stdOut;
        QTest::newRow("help") << QStringList{"--help"} << stdOut;
        QTest::newRow("--output") << QStringList{"read", "--port", "LINE", "--output", "FULL"}
                                  << "nie można zapisać pliku „FULL”";
        QTest::newRow("series line") << QStringList{"program",     "--series", "--count", "2",
                                                    "--no-backup", "--port",   "LINE",    "SAMPLE"}
                                     << "nie można zapisać wiersza wyniku na standardowe wyjście";
    }

    // Standard output on a full disk, or a full device named by --output.
    void unwrittenResultEndsWithTenNamingIt() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        ReceiverSimulator receiver({});
        arguments.replaceInStrings("SAMPLE", writeFile(dir_, "sample.txt", sampleFile()));
        arguments.replaceInStrings("LINE", receiver.linePath());
        const QString full = deviceNode(dir_, "full");
        arguments.replaceInStrings("FULL", full);
        named.replace("FULL", full);
        const auto run = runWithOutputTo(full, arguments);
        QCOMPARE(run.exitCode, 10);
        QVERIFY2(run.err.contains(named), qPrintable(run.err));
        QCOMPARE(fileType(full), mode_t{S_IFCHR});
    }

    // A reader that has gone: "true" reads nothing and ends long before the answer comes.
    void closedPipeEndsWithTen() {
        ReceiverSimulator receiver({});
        const auto run = runCli({"read", "--port", receiver.linePath()}, {},
                                {"bash", "-c", "set -o pipefail; \"$@\" | true", "closed-pipe"});
        QCOMPARE(run.exitCode, 10);
        QVERIFY2(run.err.contains("nie można zapisać na standardowe wyjście: Broken pipe"),
                 qPrintable(run.err));
    }

    void devicesFifosAndTheirLinksAreWrittenThrough() {
        ReceiverSimulator receiver({});
        const QString link = dir_.filePath("null-link");
        const QString null = deviceNode(dir_, "null");
        QVERIFY(QFile::link(null, link));
        for (const QString& target : {null, link}) {
            const auto run = runCli(
                {"read", "--port", receiver.linePath(), "--output", target, "--log", target});
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(fileType(null), mode_t{S_IFCHR});
        }
        QCOMPARE(fileType(link), mode_t{S_IFLNK});

        const QString fifo = dir_.filePath("fifo");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        auto reader = std::async(std::launch::async, [fifo] { return readWhole(fifo); });
        const auto run = runCli({"read", "--port", receiver.linePath(), "--output", fifo});
        // A reader still waiting for a writer is let go, so a failure cannot hang the test.
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(reader.get().contains("druzyny ="));
        QCOMPARE(fileType(fifo), mode_t{S_IFIFO});
    }

    // A regular file is still replaced whole, keeping its permissions, and through a link.
    void regularFileKeepsItsPermissionsAndLinks() {
        ReceiverSimulator receiver({});
        const QString file = writeFile(dir_, "kept.txt", "old");
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0640) == 0);
        const QString link = dir_.filePath("kept-link");
        QVERIFY(QFile::link(file, link));
        QCOMPARE(runCli({"read", "--port", receiver.linePath(), "--output", link}).exitCode, 0);
        QCOMPARE(fileType(link), mode_t{S_IFLNK});
        QVERIFY(readWhole(file).contains("druzyny ="));
        QCOMPARE(permissions(file), mode_t{0640});
    }

    // Root writes anything; as root the command runs as user "nobody", as a shell user would.
    void readOnlyFileIsRefused() {
        ReceiverSimulator receiver({});
        QString skip;
        const QStringList launcher = unprivilegedLauncher(skip);
        if (!skip.isEmpty())
            QSKIP(qPrintable(skip));
        if (!launcher.isEmpty()) {
            QVERIFY(::chmod(receiver.linePath().toLocal8Bit().constData(), 0666) == 0);
            QVERIFY(::chmod(QFile::encodeName(dir_.path()).constData(), 0777) == 0);
        }
        const QString file = writeFile(dir_, "read-only.txt", "old");
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0444) == 0);
        const auto run =
            runCli({"read", "--port", receiver.linePath(), "--output", file}, {}, launcher);
        QCOMPARE(run.exitCode, 10);
        QVERIFY2(run.err.contains("nie można zapisać pliku „" + file), qPrintable(run.err));
        QCOMPARE(readWhole(file), QByteArray("old"));
    }

    // The backup's own entry, and those of the folders made for it, reach the disk: each new
    // folder's parent is synced after the folder is made, and the backup's folder after the
    // backup itself.
    void backupAndItsNewFoldersAreSynced() {
#ifdef ORV52_SANITIZED
        QSKIP("a sanitized orv52-cli cannot run under strace");
#endif
        const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        ReceiverSimulator receiver({});
        const QString top = dir_.filePath("made");
        const QString folder = top + "/for/backups";
        const QString trace = dir_.filePath("sync-trace");
        const auto run =
            runCli({"program", "--port", receiver.linePath(), "--backup", folder,
                    writeFile(dir_, "sample.txt", sampleFile())},
                   {}, {strace, "-f", "-y", "-o", trace, "-e", "trace=mkdir,mkdirat,fsync"});
        QCOMPARE(run.exitCode, 0);
        QStringList steps; // "mkdir PATH" and "fsync PATH", in order
        // mkdir("PATH", …), mkdirat(AT_FDCWD, "PATH", …) and fsync(N<PATH>).
        const QRegularExpression call(
            QStringLiteral("(mkdir|fsync)(?:at)?\\((?:AT_FDCWD, )?(?:\"|\\d+<)([^\"<>]+)"));
        for (const QByteArray& line : readWhole(trace).split('\n'))
            if (const auto found = call.match(QString::fromUtf8(line)); found.hasMatch())
                steps << found.captured(1) + " " + found.captured(2);
        const auto at = [&](const QString& step) { return steps.indexOf(step); };
        const QString backup =
            run.err.section("kopia konfiguracji odbiornika: ", 1).section('\n', 0, 0);
        QVERIFY2(at("fsync " + backup) >= 0, qPrintable(steps.join('\n')));
        QVERIFY2(at("fsync " + backup) < at("fsync " + folder), qPrintable(steps.join('\n')));
        for (const QString& made : {top, top + "/for", folder})
            QVERIFY2(at("mkdir " + made) < at("fsync " + QFileInfo(made).path()) &&
                         at("mkdir " + made) >= 0,
                     qPrintable(made + "\n" + steps.join('\n')));
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestCliWriteFailures)
#include "test_cli_write_failures.moc"
