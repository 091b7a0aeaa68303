// Renders the program's windows to PNG files for the documentation, from the real widgets.
#include "ui/adresowanie_form.h"
#include "ui/frm_about.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

namespace {

bool save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString outputDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outputDir);

    orv52::Adresowanie_Form window;
    orv52::frmAbout about(&window);
    about.show();
    const bool saved = save(window, outputDir + QStringLiteral("/main-window.png")) &&
                       save(about, outputDir + QStringLiteral("/about-window.png"));
    return saved ? 0 : 1;
}
