#pragma once

#include "protocol/configuration.h"
#include "protocol/configuration_file.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

// orv52-cli as a shell script runs it, and the configuration the tests program.

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// The user data folder of every run, so that default backups land in a folder of the test's own.
inline const QTemporaryDir& cliDataHome() {
    static const QTemporaryDir home;
    return home;
}

// Starts orv52-cli, through `launcher` when one is given (its arguments, then orv52-cli's).
inline void startCli(QProcess& cli, const QStringList& arguments,
                     const QStringList& launcher = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), cliDataHome().path());
    cli.setProcessEnvironment(environment);
    if (launcher.isEmpty())
        cli.start(QStringLiteral(ORV52_CLI), arguments);
    else
        cli.start(launcher.first(),
                  launcher.mid(1) + QStringList{QStringLiteral(ORV52_CLI)} + arguments);
}

// What a started orv52-cli did, once it has ended; a killed run after `timeoutMs`.
inline CliRun finishCli(QProcess& cli, int timeoutMs = 15000) {
    CliRun run;
    if (!cli.waitForFinished(timeoutMs)) {
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}

inline CliRun runCli(const QStringList& arguments, const QByteArray& input = {},
                     const QStringList& launcher = {}, int timeoutMs = 15000) {
    QProcess cli;
    startCli(cli, arguments, launcher);
    cli.write(input);
    cli.closeWriteChannel();
    return finishCli(cli, timeoutMs);
}

// What runs orv52-cli as user "nobody" when the test runs as root, whom no permission stops:
// nothing when the test is not root. Empty `skip` when it can run; otherwise why it cannot.
inline QStringList unprivilegedLauncher(QString& skip) {
    if (geteuid() != 0)
        return {};
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        skip = QStringLiteral("running as root without setpriv to become an unprivileged user");
        return {};
    }
    const QStringList launcher{setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
    if (runCli({"--help"}, {}, launcher).exitCode != 0)
        skip =
            QStringLiteral("the built orv52-cli cannot be run by user nobody from where it lies");
    return launcher;
}

inline orv52::Configuration sampleSettings() {
    orv52::Configuration settings;
    settings.teamMaskLow = 0x05;  // teams 1 and 3
    settings.teamMaskHigh = 0x40; // team 15
    settings.timings = {3, 4, 5, 6, 7, 8};
    settings.displayCommand = 2;
    settings.buzzerMode = 1;
    return settings;
}

inline QByteArray sampleFile() {
    return QByteArray::fromStdString(orv52::writeConfigurationFile(sampleSettings()));
}

inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return {};
    return path;
}
