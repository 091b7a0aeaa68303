#include "cli/stop_request.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <memory>
#include <stdexcept>

using orv52::cli::StopRequest;

class TestStopRequest : public QObject {
    Q_OBJECT

private slots:
    void aSecondWhileOneLivesIsRefused() {
        StopRequest first;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, StopRequest{});
        QVERIFY(!first.requested());
    }

    // Each instance has a pipe of its own: a later one still hears the signal after an earlier
    // one is gone, and hears it once.
    void eachInstanceHearsTheSignalWhileItLives() {
#ifdef Q_OS_WIN
        QSKIP("Windows sends console events, not signals");
#endif
        for (int round = 0; round < 2; ++round) {
            StopRequest stop;
            QSignalSpy heard(&stop, &StopRequest::stopRequested);
            std::raise(SIGINT);
            std::raise(SIGTERM);
            QTRY_VERIFY(stop.requested());
            QCoreApplication::processEvents();
            QCOMPARE(heard.count(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestStopRequest)
#include "test_stop_request.moc"
