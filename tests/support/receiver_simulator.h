#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The receiver simulator as a child process; its first output line names the pseudo-terminal
// that the program under test opens.
class ReceiverSimulator {
public:
    explicit ReceiverSimulator(const QStringList& args) {
        process_.start(QStringLiteral(ORV52_RECEIVER_SIM), args);
        if (process_.waitForReadyRead(5000))
            linePath_ = QString::fromLocal8Bit(process_.readLine().trimmed());
    }
    ~ReceiverSimulator() { stop(); }
    ReceiverSimulator(const ReceiverSimulator&) = delete;
    ReceiverSimulator& operator=(const ReceiverSimulator&) = delete;

    const QString& linePath() const { return linePath_; }
    QProcess& process() { return process_; }

    // Ends the simulator, which closes its end of the line as a pulled cable would.
    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        process_.waitForFinished(2000);
    }

    // What the simulator logged with --log, after it has stopped or while it runs.
    QByteArray log() { return log_ += process_.readAllStandardError(); }

private:
    QProcess process_;
    QString linePath_;
    QByteArray log_;
};
