#include "ui/message_box.h"
#include "messages/message_catalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace orv52;

class MessagesTest : public QObject {
    Q_OBJECT

private slots:
    void catalogue_data();
    void catalogue();
    void unknownIdIsNotInTheCatalogue();
    void showingAMessageOpensAModalBoxAndWaitsForIt();
};

void MessagesTest::catalogue_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("information");
    const QString warning = QStringLiteral("Ostrzeżenie");
    QTest::newRow("101") << 101 << "Podana wartość przekracza zakres (0..255) !!!" << warning
                         << false;
    QTest::newRow("102") << 102 << "Brak połączenia z odbiornikiem !!!" << warning << false;
    QTest::newRow("103") << 103 << "Błąd w transmisji !!!" << warning << false;
    QTest::newRow("104") << 104 << "Programowanie zakończone !"
                         << "Informacja" << true;
    QTest::newRow("105") << 105 << "Port zajęty, ustaw inny port !!!" << warning << false;
    QTest::newRow("106") << 106 << "Błędny numer portu !!!" << warning << false;
    QTest::newRow("107") << 107 << "Podana wartość przekracza zakres (1..255) !!!" << warning
                         << false;
    QTest::newRow("108") << 108 << "Brak dostępu do portu !!!" << warning << false;
}

void MessagesTest::catalogue() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, information);
    const auto message = findMessage(id);
    QVERIFY(message);
    QCOMPARE(QString::fromUtf8(message->text.data(), message->text.size()), text);
    QCOMPARE(message->kind == MessageKind::Information, information);
    const auto shownTitle = messageTitle(message->kind);
    QCOMPARE(QString::fromUtf8(shownTitle.data(), shownTitle.size()), title);
}

void MessagesTest::unknownIdIsNotInTheCatalogue() {
    QVERIFY(!findMessage(100));
    QVERIFY(!findMessage(109));
}

void MessagesTest::showingAMessageOpensAModalBoxAndWaitsForIt() {
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

QTEST_MAIN(MessagesTest)
#include "test_messages.moc"
