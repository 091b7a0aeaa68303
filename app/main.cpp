#include "app/version.h"
#include "ui/adresowanie_form.h"
#include "ui/font_config_warm_up.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    orv52::FontConfigWarmUp fontConfig; // read while Qt connects to the display
    QApplication app(argc, argv);
    fontConfig.finish();
    QApplication::setApplicationName(QStringLiteral("ORV-52 Prog"));
    QApplication::setApplicationVersion(QString::fromLatin1(orv52::kVersion));
    QApplication::setOrganizationName(QStringLiteral("Velunki"));

    orv52::Adresowanie_Form window; // shows itself once initialised
    return QApplication::exec();
}
