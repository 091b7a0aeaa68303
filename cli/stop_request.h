#pragma once

#include <QObject>

namespace orv52::cli {

// Ctrl-C (SIGINT) and SIGTERM as a request to stop that the event loop delivers, instead of an
// end in the middle of an exchange. The handler only wakes the loop; everything else happens on
// it. While one exists, the first signal does not end the program by itself; a second one does,
// at once. On Windows the console's Ctrl-C and Ctrl-Break are caught instead, alike.
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
    // Runs on the event loop's thread, whatever thread caught the signal: the caught signal
    // invokes it by name.
    Q_INVOKABLE void request();

    bool requested_ = false;
};

} // namespace orv52::cli
