#pragma once

#include <QObject>
#include <cstdint>

// Watches the whole application for the first paint of a window. Once that frame is finished it
// prints the microseconds since `launchNs` (CLOCK_MONOTONIC, taken by the runner just before it
// started this process) and ends the process.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(std::int64_t launchNs) : launchNs_(launchNs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report();

    std::int64_t launchNs_;
    bool seen_ = false;
};

// The launch time that the runner passes as the first argument; -1 when it is missing or bad.
std::int64_t launchTimeArgument(int argc, char** argv);
