// The yardstick for startup_form: a plain Qt Widgets window of the main window's size, shown and
// reported the same way.
// Usage: startup_bare <launch time, CLOCK_MONOTONIC ns>
#include "first_paint_probe.h"
#include "ui/main_window_layout.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

int main(int argc, char* argv[]) {
    const std::int64_t launchNs = launchTimeArgument(argc, argv);
    if (launchNs < 0) {
        std::fprintf(stderr, "usage: startup_bare <launch time, CLOCK_MONOTONIC ns>\n");
        return 2;
    }
    QApplication app(argc, argv);
    FirstPaintProbe probe(launchNs);
    app.installEventFilter(&probe);

    QWidget window;
    window.setFixedSize(orv52::twipsToPixels(orv52::main_layout::kClientWidth),
                        orv52::twipsToPixels(orv52::main_layout::kClientHeight));
    window.show();
    return QApplication::exec();
}
