// Renders the program's windows to PNG files for the documentation, from the real widgets.
#include "ui/adresowanie_form.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outputDir);

    orv52::Adresowanie_Form window;
    QApplication::processEvents();
    const QString path = outputDir + QStringLiteral("/main-window.png");
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
