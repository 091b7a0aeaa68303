#include "exchange_fixture.h"
#include "support/pty_receiver_end.h"
#include "support/unprivileged.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using orv52::SerialPortEntry;
using orv52::SerialSystemView;

namespace {

SerialPortEntry entry(const QString& name, const QString& location, const QString& description = {},
                      const QString& manufacturer = {}) {
    return {name, location, description, manufacturer};
}

// What a port option tells when the pointer rests on it, and what a screen reader reads.
struct Told {
    QString toolTip;
    QString accessibleDescription;
};

Told hover(QWidget& option) {
    QHelpEvent event(QEvent::ToolTip, option.rect().center(), option.mapToGlobal(QPoint()));
    QApplication::sendEvent(&option, &event);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&option);
    return {option.toolTip(), accessible->text(QAccessible::Description)};
}

// Chooses a port option, reads the receiver and waits for the version it reports.
bool readsVersionThrough(ExchangeFixture& f, const char* option, const QString& version) {
    f.click(option);
    f.click("Odbierz_Command");
    auto* shown = control<QLineEdit>(f.window, "Wersja_Text");
    return QTest::qWaitFor([&] { return shown->text() == version; }, 3000);
}

} // namespace

// The window's port options reach the serial devices that COM 1..4 are mapped to, over a device
// list the tests make up: pseudo-terminals stand in for the adapters.
class PortDevicesTest : public QObject {
    Q_OBJECT

private slots:
    void optionReachesTheDeviceTheMappingNames();
    void adapterBackUnderAnotherNameIsFound();
    void optionsTellWhatTheyReachWhenAsked();
    void accessDeniedIsToldWithTheGroupThatMayOpen();
    void pinnedNumberReachesItsDeviceAndSaysSo();
};

void PortDevicesTest::optionReachesTheDeviceTheMappingNames() {
    ExchangeFixture f({"--no-pacing", "--version", "23"});
    ReceiverSimulator onBoard({"--no-pacing", "--version", "11"});
    const QString adapter = f.simulator->linePath();
    f.window.setSystemReader([&] {
        return SerialSystemView{
            {entry("ttyUSB0", adapter), entry("ttyS0", onBoard.linePath())}, {}, {}};
    });
    QVERIFY(readsVersionThrough(f, "Port_Option(2)", "2.3"));
    QVERIFY(readsVersionThrough(f, "Port_Option(1)", "1.1"));
    QVERIFY(f.shown.empty());
}

// Pulled mid-exchange, the adapter comes back as ttyUSB1; COM 1 finds it without a restart. A
// listed node gone by the time it is opened is an invalid port.
void PortDevicesTest::adapterBackUnderAnotherNameIsFound() {
    ExchangeFixture f({"--fault", "delay=500"});
    std::vector<SerialPortEntry> listed{entry("ttyUSB0", f.simulator->linePath())};
    f.window.setSystemReader([&] { return SerialSystemView{listed, {}, {}}; });
    f.click("Odbierz_Command");
    QTest::qWait(100);
    f.simulator->stop();
    QVERIFY(f.waitForMessage());
    QCOMPARE(f.shownIds(), std::vector<int>{102});
    QVERIFY(!f.window.port().isOpen());

    ReceiverSimulator replugged({"--no-pacing"});
    listed = {entry("ttyUSB1", replugged.linePath())};
    f.shown.clear();
    f.click("Przeslij_Command");
    QVERIFY(f.waitForMessage());
    QCOMPARE(f.shownIds(), std::vector<int>{104});

    listed = {entry("ttyUSB1", "/dev/orv52-unplugged-adapter")};
    f.shown.clear();
    f.click("Przeslij_Command");
    QCOMPARE(f.shownIds(), std::vector<int>{106});
    QVERIFY(f.controlsEnabled());
}

void PortDevicesTest::optionsTellWhatTheyReachWhenAsked() {
    ExchangeFixture f({"--no-pacing"});
    std::vector<SerialPortEntry> listed{
        entry("ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART", "FTDI"),
        entry("ttyS1", "/dev/ttyS1"),
    };
    int listings = 0;
    f.window.setSystemReader([&] {
        ++listings;
        return SerialSystemView{listed, {}, {}};
    });
    QTest::qWait(300);
    QCOMPARE(listings, 0);

    auto* first = control<QWidget>(f.window, "Port_Option(1)");
    const Told adapter = hover(*first);
    QCOMPARE(adapter.toolTip, QStringLiteral("/dev/ttyUSB0: FT232R USB UART (FTDI)"));
    QCOMPARE(adapter.accessibleDescription, adapter.toolTip);
    QCOMPARE(hover(*control<QWidget>(f.window, "Port_Option(2)")).toolTip,
             QStringLiteral("/dev/ttyS1: port szeregowy"));
    QCOMPARE(hover(*control<QWidget>(f.window, "Port_Option(3)")).toolTip,
             QStringLiteral("/dev/ttyS2: brak urządzenia"));

    listed.clear();
    QCOMPARE(hover(*first).toolTip, QStringLiteral("/dev/ttyS0: brak urządzenia"));

    // Reaching an option with the keyboard tells a screen reader what is behind it now.
    listed = {entry("ttyACM0", "/dev/ttyACM0", "USB Serial")};
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    first->setFocus(Qt::TabFocusReason);
    QCOMPARE(QAccessible::queryAccessibleInterface(first)->text(QAccessible::Description),
             QStringLiteral("/dev/ttyACM0: USB Serial"));
}

void PortDevicesTest::accessDeniedIsToldWithTheGroupThatMayOpen() {
    ExchangeFixture f({"--no-pacing"});
    PtyReceiverEnd line;
    const QString device = QString::fromStdString(line.devicePath());
    f.window.setSystemReader(machineWithAdapterAt(device));
    f.window.setMessagePresenter({});

    QString text, detail;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(200, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        text = box->text();
        detail = box->informativeText();
        icon = box->icon();
        box->buttons().first()->click();
    });
    std::string group;
    {
        const DeniedDevice denied(line.devicePath());
        if (!denied.denied())
            QSKIP("the test cannot give up root to meet a device's permissions");
        group = denied.owningGroup();
        f.click("Odbierz_Command");
    }
    QCOMPARE(text, QStringLiteral("Brak dostępu do portu !!!"));
    QCOMPARE(icon, QMessageBox::Critical);
    QVERIFY2(detail.contains(QStringLiteral("„%1”").arg(QString::fromStdString(group))) &&
                 detail.contains(device) && detail.contains("zaloguj ponownie"),
             qPrintable(detail));
    QVERIFY(f.controlsEnabled());
    QVERIFY(!f.window.findChild<QTimer*>("TimeOut_Timer")->isActive());
}

// A number pinned on the command line opens its device, here a link to the simulator's line, and
// leaves the adapter to the numbers after it.
void PortDevicesTest::pinnedNumberReachesItsDeviceAndSaysSo() {
    ExchangeFixture f({"--no-pacing", "--version", "23"});
    ReceiverSimulator adapter({"--no-pacing", "--version", "11"});
    const QTemporaryDir links;
    const QString pinned = links.filePath("usb-by-id-if00");
    QVERIFY(QFile::link(f.simulator->linePath(), pinned));
    f.window.setSystemReader(machineWithAdapterAt(adapter.linePath()));
    f.window.setComPortPins({{3, pinned}});

    QCOMPARE(hover(*control<QWidget>(f.window, "Port_Option(3)")).toolTip,
             pinned + " → " + f.simulator->linePath() +
                 ": urządzenie spoza listy portów szeregowych, przypisany");
    QVERIFY(readsVersionThrough(f, "Port_Option(3)", "2.3"));
    QVERIFY(readsVersionThrough(f, "Port_Option(1)", "1.1"));
    QVERIFY(f.shown.empty());
}

QTEST_MAIN(PortDevicesTest)
#include "test_port_devices.moc"
