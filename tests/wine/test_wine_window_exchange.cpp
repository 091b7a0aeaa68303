// The window's exchanges as Windows runs them, under Wine: through Qt's Windows serial port, the
// COM number's mapping and Wine's COM port, to the receiver simulator behind it. The driver
// (line-under-wine.sh) starts the simulator behind COM n (ORV52_WINE_COM) and checks the bytes it
// received and the line settings; this checks what the operator sees.
#include "../ui/window_controls.h"
#include "ui/adresowanie_form.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <vector>

namespace {

struct WindowOnComPort {
    WindowOnComPort() {
        window.setMessagePresenter([this](int id) { shown.push_back(id); });
        exposed = QTest::qWaitForWindowExposed(&window);
        const int number = qEnvironmentVariableIntValue("ORV52_WINE_COM");
        click(indexed("Port_Option", number));
    }

    void click(const QString& name) {
        QWidget* target = control<QWidget>(window, name);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          target->mapTo(&window, target->rect().center()));
    }

    // Until the exchange has ended: the buttons are enabled again.
    bool waitForTheEnd() {
        QTest::qWait(200);
        return QTest::qWaitFor(
            [this] { return control<QWidget>(window, "Odbierz_Command")->isEnabled(); }, 4000);
    }

    orv52::Adresowanie_Form window;
    std::vector<int> shown;
    bool exposed = false;
};

} // namespace

class WineWindowExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void przeslijProgramsTheReceiver() {
        WindowOnComPort w;
        QVERIFY(w.exposed);
        QElapsedTimer sincePress;
        sincePress.start();
        w.click(QStringLiteral("Przeslij_Command"));
        QVERIFY(w.waitForTheEnd());
        QCOMPARE(w.shown, std::vector<int>{104});
        QVERIFY2(sincePress.elapsed() < 1500, "ended by the timeout");
    }

    void odbierzShowsTheReceiversVersion() {
        WindowOnComPort w;
        QVERIFY(w.exposed);
        w.click(QStringLiteral("Odbierz_Command"));
        QVERIFY(w.waitForTheEnd());
        QCOMPARE(w.shown, std::vector<int>{});
        QCOMPARE(control<QLineEdit>(w.window, "Wersja_Text")->text(), QStringLiteral("2.3"));
    }
};

QTEST_MAIN(WineWindowExchangeTest)
#include "test_wine_window_exchange.moc"
