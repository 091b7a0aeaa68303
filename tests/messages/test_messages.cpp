#include "messages/message_catalogue.h"

#include <QTest>

using namespace orv52;

class MessagesTest : public QObject {
    Q_OBJECT

private slots:
    void catalogue_data();
    void catalogue();
    void unknownIdIsNotInTheCatalogue();
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

QTEST_APPLESS_MAIN(MessagesTest)
#include "test_messages.moc"
