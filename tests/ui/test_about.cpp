#include "exchange_fixture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

struct SeenAbout {
    QString caption;
    QStringList texts;
    QSize size;
    bool okIsDefaultWithFocus = false;
};

// Reads the open About window, then presses `key` in it.
void readAndClose(SeenAbout& seen, Qt::Key key, int afterMs = 100) {
    QTimer::singleShot(afterMs, [&seen, key] {
        auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!about)
            return;
        seen.caption = about->windowTitle();
        for (const char* name :
             {"lblTitle", "lblVersion", "lblDescription", "lblCompany", "lblDisclaimer"})
            seen.texts << control<QLabel>(*about, name)->text();
        seen.size = about->size();
        auto* ok = control<QPushButton>(*about, "cmdOK");
        seen.okIsDefaultWithFocus = ok->isDefault() && QApplication::focusWidget() == ok;
        QTest::keyClick(about, key);
    });
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithFixedTextsAndClosesOnEnterAndEsc();
    void exchangeGoesOnWhileItIsOpen_data();
    void exchangeGoesOnWhileItIsOpen();
};

void AboutTest::opensWithFixedTextsAndClosesOnEnterAndEsc() {
    ExchangeFixture f({"--no-pacing"});
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    SeenAbout first;
    readAndClose(first, Qt::Key_Escape);
    f.click("About_Command");
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(first.caption, QStringLiteral("O programie"));
    QCOMPARE(first.texts,
             (QStringList{"Nazwa: ORV-52 Prog", "Wersja: 1.00",
                          "Opis: Aplikacja służy do programowania parametrów systemu ORV-52.",
                          "Korvant\nProducent systemu ORV-52", "Autor: Korvant"}));
    QCOMPARE(first.size, QSize(299, 222));
    QVERIFY(first.okIsDefaultWithFocus);

    SeenAbout second;
    readAndClose(second, Qt::Key_Return);
    f.click("About_Command");
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(second.texts, first.texts);
    QVERIFY(f.window.findChildren<QDialog*>().isEmpty());
}

void AboutTest::exchangeGoesOnWhileItIsOpen_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("message");
    QTest::addColumn<int>("closeAfterMs");
    QTest::newRow("completion") << QStringList{} << 104 << 800;
    QTest::newRow("timeout") << QStringList{"--fault", "silent"} << 102 << 2500;
}

void AboutTest::exchangeGoesOnWhileItIsOpen() {
    QFETCH(QStringList, args);
    QFETCH(int, message);
    QFETCH(int, closeAfterMs);
    ExchangeFixture f(args);
    bool aboutWasOpen = false;
    f.window.setMessagePresenter([&](int id) {
        f.shown.push_back({id, f.sincePress.elapsed(), f.controlsEnabled()});
        aboutWasOpen = qobject_cast<QDialog*>(QApplication::activeModalWidget()) != nullptr;
    });
    f.click("Przeslij_Command");
    SeenAbout seen;
    readAndClose(seen, Qt::Key_Escape, closeAfterMs);
    f.click("About_Command");
    QCOMPARE(seen.caption, QStringLiteral("O programie"));
    QCOMPARE(f.shownIds(), std::vector<int>{message});
    QVERIFY(aboutWasOpen);
}

QTEST_MAIN(AboutTest)
#include "test_about.moc"
