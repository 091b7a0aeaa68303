#include "ui/adresowanie_form.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORV-52 Prog"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("Velunki"));

    orv52::Adresowanie_Form window; // shows itself once initialised
    return QApplication::exec();
}
