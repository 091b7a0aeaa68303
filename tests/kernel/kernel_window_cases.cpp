// The window's cases on a real kernel, run inside the guest by guest-cases.sh, which says in the
// environment what the machine holds:
//   ORV52_TIPS          the four port options' tool tips, one a line
//   ORV52_READS         "N=VERSION ...": COM numbers with a receiver, and its version
//   ORV52_ANSWERING     the by-id name of the FTDI adapter with a receiver (ORV52_ANSWERING_USB:
//                       its USB device in sysfs), at COM ORV52_ANSWERING_COM
//   ORV52_SILENT        the by-id name of the FTDI adapter whose receiver never answers
//                       (ORV52_SILENT_USB: its USB device)
//   ORV52_TIP_UNPLUGGED COM ORV52_ANSWERING_COM's tool tip while that adapter is out
// Adapters are pulled and put back through their `authorized` file, as a pulled cable is.
#include "../ui/window_controls.h"
#include "ui/adresowanie_form.h"

#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QWindow>
#include <ctime>
#include <vector>

namespace {

QString setting(const char* name) {
    return qEnvironmentVariable(name);
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

bool authorize(const QString& usbDevice, bool plugged) {
    QFile file(usbDevice + QStringLiteral("/authorized"));
    return file.open(QIODevice::WriteOnly) && file.write(plugged ? "1" : "0") == 1;
}

// Until udev has made or removed the device's links.
bool waitForNode(const QString& path, bool present) {
    QProcess::execute(QStringLiteral("udevadm"), {QStringLiteral("settle")});
    return QTest::qWaitFor([&] { return QFile::exists(path) == present; }, 10000);
}

struct GuestWindow {
    GuestWindow() {
        window.setMessagePresenter([this](int id) { shown.push_back(id); });
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    void click(const QString& name) {
        QWidget* target = control<QWidget>(window, name);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          target->mapTo(&window, target->rect().center()));
    }

    QString toolTip(int number) {
        QWidget* option = control<QWidget>(window, indexed("Port_Option", number));
        QHelpEvent event(QEvent::ToolTip, option->rect().center(), option->mapToGlobal(QPoint()));
        QCoreApplication::sendEvent(option, &event);
        return option->toolTip();
    }

    bool controlsEnabled() const { return exchangeControlsEnabled(window); }

    // Presses a button and waits until the exchange has ended: the controls are back.
    bool exchange(const char* button) {
        shown.clear();
        click(QString::fromLatin1(button));
        QTest::qWait(200);
        return QTest::qWaitFor([this] { return controlsEnabled(); }, 5000);
    }

    QString version() const { return control<QLineEdit>(window, "Wersja_Text")->text(); }

    orv52::Adresowanie_Form window;
    std::vector<int> shown;
    bool exposed = false;
};

} // namespace

class KernelWindowCases : public QObject {
    Q_OBJECT

private slots:
    void toolTipsTellWhereComNumbersLead() {
        GuestWindow w;
        const QStringList expected = setting("ORV52_TIPS").split(QLatin1Char('\n'));
        QCOMPARE(expected.size(), 4);
        for (int number = 1; number <= 4; ++number)
            QCOMPARE(w.toolTip(number), expected[number - 1]);
    }

    void odbierzAndPrzeslijThroughEachDriver() {
        GuestWindow w;
        QVERIFY(w.exposed);
        for (const QString& read : setting("ORV52_READS").split(QLatin1Char(' '))) {
            const QStringList parts = read.split(QLatin1Char('='));
            const QString option = indexed("Port_Option", parts[0].toInt());
            w.click(option);
            w.window.findChild<QLineEdit*>(QStringLiteral("Wersja_Text"))->setText("0.0");
            QVERIFY2(w.exchange("Odbierz_Command"), qPrintable("Odbierz never ended: " + option));
            QVERIFY2(w.shown.empty(), qPrintable("Odbierz showed a message: " + option));
            QVERIFY2(w.version() == parts[1], qPrintable(option + " read " + w.version()));
            QVERIFY2(w.exchange("Przeslij_Command"), qPrintable("Prześlij never ended: " + option));
            QVERIFY2(w.shown == std::vector<int>{104},
                     qPrintable("Prześlij did not end with 104: " + option));
        }
    }

    void pinnedStableNameIsReached() {
        GuestWindow w;
        w.window.setComPortPins({{2, setting("ORV52_ANSWERING")}});
        w.click(indexed("Port_Option", 2));
        QVERIFY(w.exchange("Odbierz_Command"));
        QVERIFY2(w.shown.empty() && w.version() == QStringLiteral("2.3"),
                 "COM 2 pinned to the adapter's by-id name did not read its receiver");
    }

    void adapterPulledDuringAnExchange_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("Odbierz") << "Odbierz_Command";
        QTest::newRow("Prześlij") << "Przeslij_Command";
    }

    // Message 102 once, the controls back, and no spinning while the adapter is gone.
    void adapterPulledDuringAnExchange() {
        QFETCH(QString, button);
        const QString usb = setting("ORV52_SILENT_USB");
        GuestWindow w;
        w.window.setComPortPins({{1, setting("ORV52_SILENT")}});
        w.click(indexed("Port_Option", 1));
        w.click(button);
        QTest::qWait(500);
        QVERIFY2(authorize(usb, false), "the adapter cannot be pulled");
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer gone;
        gone.start();
        QVERIFY2(QTest::qWaitFor([&] { return w.controlsEnabled(); }, 5000),
                 "the controls did not come back");
        const double cpu = processCpuSeconds() - cpuBefore;
        const qint64 wallMs = gone.elapsed();
        QTest::qWait(1000); // a second message would come by now
        const bool back = authorize(usb, true) && waitForNode(setting("ORV52_SILENT"), true);
        std::printf("CPU window %s: %.0f ms of CPU in %lld ms with the adapter gone\n",
                    qPrintable(button), cpu * 1000, static_cast<long long>(wallMs));
        QVERIFY2(w.shown == std::vector<int>{102}, "not message 102 exactly once");
        QVERIFY2(cpu < 0.25 * static_cast<double>(wallMs) / 1000,
                 qPrintable(QString("the window spun: %1 s of CPU").arg(cpu)));
        QVERIFY2(back, "the adapter did not come back");
    }

    void adapterPulledWhileIdleAndPutBack() {
        const QString usb = setting("ORV52_ANSWERING_USB");
        const QString byId = setting("ORV52_ANSWERING");
        GuestWindow w;
        w.click(indexed("Port_Option", setting("ORV52_ANSWERING_COM").toInt()));
        QVERIFY(w.exchange("Odbierz_Command"));
        QVERIFY2(w.shown.empty(), "the first read failed");
        QVERIFY(authorize(usb, false) && waitForNode(byId, false));
        QVERIFY(authorize(usb, true) && waitForNode(byId, true));
        w.window.findChild<QLineEdit*>(QStringLiteral("Wersja_Text"))->setText("0.0");
        QVERIFY(w.exchange("Odbierz_Command"));
        QVERIFY2(w.shown.empty() && w.version() == QStringLiteral("2.3"),
                 "the read after the adapter came back failed");
    }

    void adapterPluggedInWhileTheWindowRuns() {
        const QString usb = setting("ORV52_ANSWERING_USB");
        const QString byId = setting("ORV52_ANSWERING");
        const int number = setting("ORV52_ANSWERING_COM").toInt();
        QVERIFY(authorize(usb, false) && waitForNode(byId, false));
        GuestWindow w;
        const QString unplugged = w.toolTip(number);
        QVERIFY(authorize(usb, true) && waitForNode(byId, true));
        QCOMPARE(unplugged, setting("ORV52_TIP_UNPLUGGED"));
        QCOMPARE(w.toolTip(number), setting("ORV52_TIPS").split(QLatin1Char('\n'))[number - 1]);
        w.click(indexed("Port_Option", number));
        QVERIFY(w.exchange("Odbierz_Command"));
        QVERIFY2(w.shown.empty() && w.version() == QStringLiteral("2.3"),
                 "the adapter plugged in was not reached by its COM number");
    }
};

QTEST_MAIN(KernelWindowCases)
#include "kernel_window_cases.moc"
