#include "ui/adresowanie_form.h"
#include "ui/font_config_warm_up.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>

class FontConfigWarmUpTest : public QObject {
    Q_OBJECT

private slots:
    // The application was started behind a warm-up, as the program starts: Qt still finds the
    // system's fonts and the window draws its text.
    void qtUsesTheConfigurationItRead() {
        orv52::Adresowanie_Form window;
        QVERIFY(QFontDatabase::families().contains(QFontInfo(window.font()).family()));
        QVERIFY(!window.grab().isNull());
    }
};

int main(int argc, char* argv[]) {
    orv52::FontConfigWarmUp fontConfig;
    QApplication app(argc, argv);
    fontConfig.finish();
    FontConfigWarmUpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_font_config_warm_up.moc"
