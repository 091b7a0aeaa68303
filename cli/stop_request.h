#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace orv52::cli {

// Ctrl-C (SIGINT) and SIGTERM as a request to stop that the event loop delivers, instead of an
// end in the middle of an exchange. The handler only writes a byte to the instance's pipe;
// everything else happens on the loop. While one exists, the signals do not end the program
// by themselves. On Windows the console's Ctrl-C and Ctrl-Break are caught instead.
// The signals are the process's, so only one may exist at a time: a second one throws
// std::logic_error while the first lives.
class StopRequest : public QObject {
    Q_OBJECT

public:
    explicit StopRequest(QObject* parent = nullptr);
    ~StopRequest() override;
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    bool requested() const { return requested_; }

signals:
    // Once, on the first of the signals.
    void stopRequested();

private:
#ifndef _WIN32
    void drainPipe();
    int pipeReadEnd_ = -1;
    int pipeWriteEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
#endif
    // Runs on the event loop's thread, whatever thread caught the signal.
    Q_INVOKABLE void request();

    bool requested_ = false;
};

} // namespace orv52::cli
