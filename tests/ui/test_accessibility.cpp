#include "ui/adresowanie_form.h"
#include "ui/frm_about.h"

#include <QAccessible>
#include <QTest>

namespace {

// Every control a person can reach with the keyboard or the mouse, as the accessibility layer
// sees it, with the name a screen reader would speak.
void collectReachable(QAccessibleInterface* node, QMap<QString, QString>& namesByObject) {
    if (!node)
        return;
    const QAccessible::State state = node->state();
    if (state.focusable && !state.invisible && node->object())
        namesByObject.insert(node->object()->objectName(), node->text(QAccessible::Name));
    for (int i = 0; i < node->childCount(); ++i)
        collectReachable(node->child(i), namesByObject);
}

QMap<QString, QString> reachableNames(QWidget* window) {
    QMap<QString, QString> names;
    collectReachable(QAccessible::queryAccessibleInterface(window), names);
    return names;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyReachableControlOfTheMainWindowHasAName() {
        orv52::Adresowanie_Form w;
        const auto names = reachableNames(&w);
        // 15 team boxes, 6 fields, 2 lists, 2 buttons, the selected port option (the others
        // are reached by the arrow keys and by the mouse), the version and "O programie".
        QVERIFY2(names.size() >= 29, qPrintable(QString::number(names.size())));
        for (auto it = names.begin(); it != names.end(); ++it)
            QVERIFY2(!it.value().trimmed().isEmpty(), qPrintable(it.key()));
        QCOMPARE(names.value("DelaySetOnRelay_Text(0)"),
                 QStringLiteral("Opóźnienie załączania [s], przekaźnik górny"));
        QCOMPARE(names.value("LightingTime_Text(1)"),
                 QStringLiteral("Czas trwania świecenia [s], strzałka w dół"));
        QCOMPARE(names.value("AdresH_Check(6)"), QStringLiteral("Nr drużyny 15"));
        auto* list =
            QAccessible::queryAccessibleInterface(w.findChild<QWidget*>("TrybBuzera_Combo"));
        QCOMPARE(list->text(QAccessible::Description), QStringLiteral("Tryb pracy buzera"));
        QCOMPARE(names.value("Wersja_Text"), QStringLiteral("Wersja"));
        QCOMPARE(names.value("Przeslij_Command"), QStringLiteral("Prześlij"));
    }

    void theAboutWindowsButtonHasAName() {
        orv52::frmAbout about(nullptr);
        about.show();
        const auto names = reachableNames(&about);
        QCOMPARE(names.value("cmdOK"), QStringLiteral("OK"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
