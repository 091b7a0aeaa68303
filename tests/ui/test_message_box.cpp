#include "ui/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace orv52;

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void showingAMessageOpensAModalBoxAndWaitsForIt();
};

void MessageBoxTest::showingAMessageOpensAModalBoxAndWaitsForIt() {
    struct Seen {
        QString title, text, button;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        Qt::WindowModality modality = Qt::NonModal;
    };
    const auto showAndRead = [](int id) {
        Seen seen;
        QTimer::singleShot(50, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = {box->windowTitle(), box->text(), box->buttons().value(0)->text(), box->icon(),
                    box->windowModality()};
            QCOMPARE(box->buttons().size(), 1);
            box->buttons().first()->click();
        });
        showMessageBox(id, nullptr);
        return seen;
    };
    const Seen warning = showAndRead(105);
    QCOMPARE(warning.text, QStringLiteral("Port zajęty, ustaw inny port !!!"));
    QCOMPARE(warning.title, QStringLiteral("Ostrzeżenie"));
    QCOMPARE(warning.icon, QMessageBox::Critical);
    QCOMPARE(warning.button, QStringLiteral("OK"));
    QCOMPARE(warning.modality, Qt::ApplicationModal);
    const Seen information = showAndRead(104);
    QCOMPARE(information.title, QStringLiteral("Informacja"));
    QCOMPARE(information.icon, QMessageBox::Information);
}

QTEST_MAIN(MessageBoxTest)
#include "test_message_box.moc"
