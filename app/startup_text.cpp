#include "startup_text.h"

#include <QApplication>
#include <QFontDatabase>
#include <optional>

namespace orv52 {

void showStartupText(int& argc, char* argv[], StartupStream stream, const QString& text,
                     QMessageBox::Icon icon) {
    if (writeWhereStarted(stream, text.toStdString()))
        return;
    std::optional<QApplication> application;
    if (QApplication::instance() == nullptr)
        application.emplace(argc, argv);
    QMessageBox box(icon, QStringLiteral("ORV-52 Prog"), text.trimmed(), QMessageBox::Ok);
    // The help's columns line up only in a fixed-width font.
    box.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box.exec();
}

} // namespace orv52
