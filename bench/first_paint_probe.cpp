#include "first_paint_probe.h"

#include "monotonic_clock.h"

#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        seen_ = true;
        // The window's children paint and the frame is flushed in the same pass; control is back
        // in the event loop once the whole frame is done.
        QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::report() {
    const std::int64_t elapsedNs = monotonicNs() - launchNs_;
    std::printf("%lld\n", static_cast<long long>(elapsedNs / 1000));
    std::fflush(stdout);
    // Start-up ends here: leaving at once keeps the teardown out of the peak memory and CPU time.
    std::_Exit(0);
}

std::int64_t launchTimeArgument(int argc, char** argv) {
    if (argc < 2)
        return -1;
    char* end = nullptr;
    const long long value = std::strtoll(argv[1], &end, 10);
    return end != argv[1] && *end == '\0' && value > 0 ? value : -1;
}
