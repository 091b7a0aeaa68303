// Starts as the program does and reports its main window's first paint; run by startup_bench.
// Usage: startup_form <launch time, CLOCK_MONOTONIC ns>
#include "version.h"
#include "first_paint_probe.h"
#include "ui/adresowanie_form.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    const std::int64_t launchNs = launchTimeArgument(argc, argv);
    if (launchNs < 0) {
        std::fprintf(stderr, "usage: startup_form <launch time, CLOCK_MONOTONIC ns>\n");
        return 2;
    }
    QApplication app(argc, argv);
    FirstPaintProbe probe(launchNs);
    app.installEventFilter(&probe);
    QApplication::setApplicationName(QStringLiteral("ORV-52 Prog"));
    QApplication::setApplicationVersion(QString::fromLatin1(orv52::kVersion));
    QApplication::setOrganizationName(QStringLiteral("Velunki"));

    orv52::Adresowanie_Form window;
    return QApplication::exec();
}
