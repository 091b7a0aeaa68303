#include "link/com_port_map.h"
#include "link/com_port_pin.h"
#include "link/kernel_uart_records.h"
#include "link/port_name.h"
#include "link/port_resolver.h"
#include "messages/pin_error_text.h"
#include "messages/port_description.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>
#include <utility>
#include <vector>

using orv52::ComPortAssignments;
using orv52::SerialPortEntry;

namespace {

// Listed ports by name, each at /dev/<name>.
std::vector<SerialPortEntry> listed(const QStringList& names) {
    std::vector<SerialPortEntry> ports;
    for (const QString& name : names)
        ports.push_back({name, QStringLiteral("/dev/") + name, {}, {}});
    return ports;
}

QStringList devices(const ComPortAssignments& assignments) {
    QStringList names;
    for (const auto& assignment : assignments)
        names << assignment.device;
    return names;
}

} // namespace

class ComPortMapTest : public QObject {
    Q_OBJECT

private slots:
    // The numbers' devices from the ports the system lists: on Linux, the on-board UARTs (where
    // the kernel keeps a record of a ttyS, it decides over Qt's listing), then the adapters in
    // reading order; on Windows, COM1..COM4 themselves, then the ports beyond COM 4 by number.
    void numbering_data() {
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("uarts"); // "ttyS0=1": the kernel records a UART
        QTest::addColumn<QStringList>("expected");
        const auto onLinux = [](const char* name, const QStringList& ports,
                                const QStringList& expected, const QStringList& uarts = {}) {
            QTest::newRow(name) << false << ports << uarts << expected;
        };
        const auto onWindows = [](const char* name, const QStringList& ports,
                                  const QStringList& expected) {
            QTest::newRow(name) << true << ports << QStringList{} << expected;
        };
        const QStringList legacy{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        const QStringList usbFirst{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        onLinux("nothing listed", {}, legacy);
        onLinux("one adapter", {"ttyUSB0"}, usbFirst);
        onLinux("on-board ttyS0 and two adapters", {"ttyUSB1", "ttyS0", "ttyUSB0"},
                {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS3"});
        onLinux("on-board ttyS1 only", {"ttyS1"}, legacy);
        onLinux("on-board ttyS1 and an adapter", {"ttyS1", "ttyACM0"},
                {"/dev/ttyACM0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"});
        onLinux("five adapters, the fifth beyond COM 4",
                {"ttyUSB4", "ttyUSB3", "ttyUSB2", "ttyUSB1", "ttyUSB0"},
                {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"});
        onLinux("names in reading order, ACM before USB", {"ttyUSB10", "ttyUSB2", "ttyACM1"},
                {"/dev/ttyACM1", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyS3"});
        onLinux("prefix before length", {"ttyUSB0", "ttyACM10"},
                {"/dev/ttyACM10", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyS3"});
        onLinux("four on-board ports leave no number to adapters",
                {"ttyS3", "ttyS2", "ttyS1", "ttyS0", "ttyUSB0"}, legacy);
        onLinux("other serial devices are not COM ports",
                {"ttyS4", "ttyAMA0", "rfcomm0", "ttyUSB0"}, usbFirst);
        onLinux("listed placeholders give way to the adapter",
                {"ttyS0", "ttyS1", "ttyS2", "ttyS3", "ttyUSB0"}, usbFirst,
                {"ttyS0=0", "ttyS1=0", "ttyS2=0", "ttyS3=0"});
        onLinux("a UART Qt left out keeps its number", {"ttyUSB0"},
                {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyS3"}, {"ttyS0=1", "ttyS1=0"});
        onLinux("no record: Qt's listing stands", {"ttyS1", "ttyUSB0"}, usbFirst, {"ttyS0=0"});
        const QStringList own{"COM1", "COM2", "COM3", "COM4"};
        onWindows("one adapter at COM7", {"COM7"}, {"COM7", "COM2", "COM3", "COM4"});
        onWindows("on-board COM1 and COM3, adapters in number order",
                  {"COM12", "COM3", "COM1", "COM5"}, {"COM1", "COM5", "COM3", "COM12"});
        onWindows("all four present, COM7 reached by its name only",
                  {"COM7", "COM4", "COM3", "COM2", "COM1"}, own);
        onWindows("names that are no COM port", {"CNCA0", "COMX", "COM05"}, own);
        onWindows("COM4 is no port beyond four", {"COM7", "COM4"},
                  {"COM7", "COM2", "COM3", "COM4"});
        onWindows("COM5 is the first beyond four", {"COM5"}, {"COM5", "COM2", "COM3", "COM4"});
    }

    void numbering() {
        QFETCH(bool, windows);
        QFETCH(QStringList, ports);
        QFETCH(QStringList, uarts);
        QFETCH(QStringList, expected);
        orv52::SerialSystemView system{listed(ports), {}, {}};
        if (windows)
            for (auto& entry : system.listed)
                entry.systemLocation = QStringLiteral("\\\\.\\") + entry.portName;
        for (const QString& record : uarts)
            system.kernelUarts[record.section('=', 0, 0)] = record.endsWith("=1");
        QCOMPARE(devices(windows ? orv52::windowsComPorts(system) : orv52::linuxComPorts(system)),
                 expected);
    }

    // The device a number reaches is the listed one, wherever the system put its node.
    void assignmentCarriesTheListedPort() {
        const std::vector<SerialPortEntry> ports{
            {"ttyS0", "/dev/ttyS0", {}, {}},
            {"ttyUSB0", "/dev/serial/ttyUSB0", "FT232R USB UART", "FTDI"},
        };
        const auto assignments = orv52::linuxComPorts({ports, {}, {}});
        QCOMPARE(assignments[1].device, QStringLiteral("/dev/serial/ttyUSB0"));
        QVERIFY(assignments[1].hardware);
        QCOMPARE(assignments[1].hardware->description, QStringLiteral("FT232R USB UART"));
        QVERIFY(assignments[0].hardware);
        QVERIFY(!assignments[2].hardware);
    }

    void windowsPinsAndDescriptions() {
        const orv52::SerialSystemView system{
            {{"COM7", "\\\\.\\COM7", "USB Serial Port", "FTDI"},
             {"COM8", "\\\\.\\COM8", "USB Serial Device", "Microsoft"}},
            {},
            {{2, "com7", "com7"}},
        };
        const auto assignments = orv52::windowsComPorts(system);
        // The pinned adapter is not handed to another number.
        QCOMPARE(devices(assignments), (QStringList{"COM8", "com7", "COM3", "COM4"}));
        QCOMPARE(orv52::describeComPort(assignments[0]),
                 QStringLiteral("COM8: USB Serial Device (Microsoft)"));
        QCOMPARE(orv52::describeComPort(assignments[1]),
                 QStringLiteral("com7: USB Serial Port (FTDI), przypisany"));
        QVERIFY(orv52::otherSerialDevices(system, assignments).empty());
    }

    void description_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("manufacturer");
        QTest::addColumn<QString>("expected");
        const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
            {"adapter", "FT232R USB UART", "FTDI", "/dev/ttyUSB0: FT232R USB UART (FTDI)"},
            {"no manufacturer", "USB Serial", "", "/dev/ttyUSB0: USB Serial"},
            {"on-board port says nothing of itself", "", "", "/dev/ttyUSB0: port szeregowy"},
            {"nothing behind the number", nullptr, nullptr, "/dev/ttyUSB0: brak urządzenia"}};
        for (const auto& [name, description, manufacturer, expected] : rows)
            QTest::newRow(name) << (description != nullptr) << QString(description)
                                << QString(manufacturer) << QString(expected);
    }

    void description() {
        QFETCH(bool, present);
        QFETCH(QString, description);
        QFETCH(QString, manufacturer);
        QFETCH(QString, expected);
        orv52::ComPortAssignment assignment{"/dev/ttyUSB0", std::nullopt};
        if (present)
            assignment.hardware =
                SerialPortEntry{"ttyUSB0", "/dev/ttyUSB0", description, manufacturer};
        QCOMPARE(orv52::describeComPort(assignment), expected);
    }

    // A pin takes its number and its device out of the mapping; the rest is mapped as without it.
    void pinsOverrideTheirNumberAlone() {
        const orv52::SerialSystemView system{
            listed({"ttyS0", "ttyUSB0", "ttyUSB1", "ttyS4"}),
            {{"ttyS4", false}},
            {{2, "/dev/serial/by-id/usb-a", "/dev/ttyUSB0"}, {4, "/tmp/sim", {}}},
        };
        const auto assignments = orv52::linuxComPorts(system);
        QCOMPARE(devices(assignments), (QStringList{"/dev/ttyS0", "/dev/serial/by-id/usb-a",
                                                    "/dev/ttyUSB1", "/tmp/sim"}));
        QCOMPARE(orv52::describeComPort(assignments[1]),
                 QStringLiteral("/dev/serial/by-id/usb-a → /dev/ttyUSB0: port szeregowy, "
                                "przypisany"));
        QCOMPARE(orv52::describeComPort(assignments[3]),
                 QStringLiteral("/tmp/sim: brak urządzenia, przypisany"));
        // A placeholder beyond COM 4 is no device to offer.
        QVERIFY(orv52::otherSerialDevices(system, assignments).empty());
        QCOMPARE(
            devices(orv52::windowsComPorts(orv52::SerialSystemView{{}, {}, {{3, "COM9", "COM9"}}})),
            (QStringList{"COM1", "COM2", "COM9", "COM4"}));
    }

    void pinsOnTheCommandLine_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("error"); // empty: accepted
        QTest::newRow("two pins") << QStringList{"1=/dev/ttyUSB0", "COM4=/tmp/a=b"} << "";
        QTest::newRow("number out of range") << QStringList{"0=/dev/x"} << "od 1 do 4";
        QTest::newRow("no number") << QStringList{"=/dev/x"} << "od 1 do 4";
        QTest::newRow("no '='") << QStringList{"2"} << "NUMER=URZĄDZENIE";
        QTest::newRow("no device") << QStringList{"2="} << "brak ścieżki";
        QTest::newRow("a number twice") << QStringList{"2=/a", "2=/b"} << "więcej niż raz";
    }

    void pinsOnTheCommandLine() {
        QFETCH(QStringList, values);
        QFETCH(QString, error);
        orv52::ComPortPinError refused;
        const auto pins = orv52::parseComPortPins(values, refused);
        const QString reason = pins ? QString() : orv52::comPortPinErrorText(refused);
        QCOMPARE(pins.has_value(), error.isEmpty());
        QVERIFY2(reason.contains(error), qPrintable(reason));
        if (pins)
            QCOMPARE(pins->back().device, QStringLiteral("/tmp/a=b"));
    }

    // The record as the kernel keeps it: a `type` file beside each ttyS, 0 for no UART.
    void kernelRecordsAreReadFromTheClassDirectory() {
        const QTemporaryDir classDir;
        const auto add = [&](const QString& name, const QByteArray& type) {
            QVERIFY(QDir(classDir.path()).mkpath(name));
            QFile file(classDir.filePath(name + "/type"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(type);
        };
        add("ttyS0", "4\n");
        add("ttyS1", "0\n");
        add("ttyS2", "garbage");
        add("ttyUSB0", "4\n");
        QVERIFY(QDir(classDir.path()).mkpath("ttyS3")); // no record readable
        const orv52::KernelUartRecords expected{{"ttyS0", true}, {"ttyS1", false}};
        QCOMPARE(orv52::readKernelUartRecords(classDir.path()), expected);
        QVERIFY(orv52::readKernelUartRecords(classDir.filePath("absent")).empty());
    }

    // A COM number reads the system, its first and last reaching the first and last device; a
    // device named is itself, with no read.
    void resolvingAChoice_data() {
        QTest::addColumn<int>("number"); // 0: the device "/dev/x" named directly
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("systemRead");
#ifdef Q_OS_WIN
        QTest::newRow("COM 1") << 1 << "COM11" << true;
        QTest::newRow("COM 4") << 4 << "COM14" << true;
#else
        QTest::newRow("COM 1") << 1 << "/dev/ttyUSB0" << true;
        QTest::newRow("COM 4") << 4 << "/dev/ttyUSB3" << true;
#endif
        QTest::newRow("a device named") << 0 << "/dev/x" << false;
    }
    void resolvingAChoice() {
        QFETCH(int, number);
        QFETCH(QString, device);
        QFETCH(bool, systemRead);
        bool read = false;
        orv52::PortResolver resolver;
        resolver.setSystemReader([&] {
            read = true;
#ifdef Q_OS_WIN
            const QStringList names{"COM11", "COM12", "COM13", "COM14"};
#else
            const QStringList names{"ttyUSB0", "ttyUSB1", "ttyUSB2", "ttyUSB3"};
#endif
            return orv52::SerialSystemView{listed(names), {}, {}};
        });
        const orv52::PortChoice choice =
            number == 0 ? orv52::PortChoice{QStringLiteral("/dev/x")} : orv52::PortChoice{number};
        QCOMPARE(resolver.resolve(choice).device, device);
        QCOMPARE(read, systemRead);
    }

    // The devices left for naming by path: a UART beyond COM 4, one the kernel knows and Qt does
    // not, a port of another kind; not a placeholder, a pinned device's node, or what a number
    // reaches.
    void devicesNoNumberReaches() {
        orv52::SerialSystemView system{
            listed({"ttyS0", "ttyS1", "ttyS4", "ttyUSB0", "ttyUSB1", "ttyAMA0"}),
            {{"ttyS0", true},
             {"ttyS1", false},
             {"ttyS4", true},
             {"ttyS5", true},
             {"ttyS6", true},
             {"ttyS7", false}},
            {{3, "/dev/serial/by-id/usb-b", "/dev/ttyUSB1"},
             {4, "/dev/serial/by-id/x", "/dev/ttyS6"}},
        };
        const auto assignments = orv52::linuxComPorts(system);
        QCOMPARE(devices(assignments),
                 (QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/serial/by-id/usb-b",
                              "/dev/serial/by-id/x"}));
        QStringList others;
        for (const auto& port : orv52::otherSerialDevices(system, assignments))
            others << port.systemLocation;
        QCOMPARE(others, (QStringList{"/dev/ttyAMA0", "/dev/ttyS4", "/dev/ttyS5"}));
    }
};

QTEST_GUILESS_MAIN(ComPortMapTest)
#include "test_com_port_map.moc"
