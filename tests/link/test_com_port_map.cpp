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
    void linuxNumbering_data() {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("expected");
        const QStringList legacy{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("nothing listed") << QStringList{} << legacy;
        QTest::newRow("one adapter")
            << QStringList{"ttyUSB0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("on-board ttyS0 and two adapters")
            << QStringList{"ttyUSB1", "ttyS0", "ttyUSB0"}
            << QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS3"};
        QTest::newRow("on-board ttyS1 only")
            << QStringList{"ttyS1"}
            << QStringList{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("on-board ttyS1 and an adapter")
            << QStringList{"ttyS1", "ttyACM0"}
            << QStringList{"/dev/ttyACM0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("five adapters, the fifth beyond COM 4")
            << QStringList{"ttyUSB4", "ttyUSB3", "ttyUSB2", "ttyUSB1", "ttyUSB0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"};
        QTest::newRow("names in reading order, ACM before USB")
            << QStringList{"ttyUSB10", "ttyUSB2", "ttyACM1"}
            << QStringList{"/dev/ttyACM1", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyS3"};
        QTest::newRow("four on-board ports leave no number to adapters")
            << QStringList{"ttyS3", "ttyS2", "ttyS1", "ttyS0", "ttyUSB0"} << legacy;
        QTest::newRow("other serial devices are not COM ports")
            << QStringList{"ttyS4", "ttyAMA0", "rfcomm0", "ttyUSB0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
    }

    void linuxNumbering() {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, expected);
        QCOMPARE(devices(orv52::linuxComPorts({listed(ports), {}, {}})), expected);
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

    // The ports a Windows machine reports, by name, each at \\.\<name>.
    void windowsNumbering_data() {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("expected");
        const QStringList own{"COM1", "COM2", "COM3", "COM4"};
        QTest::newRow("one adapter at COM7")
            << QStringList{"COM7"} << QStringList{"COM7", "COM2", "COM3", "COM4"};
        QTest::newRow("on-board COM1 and COM3, adapters in number order")
            << QStringList{"COM12", "COM3", "COM1", "COM5"}
            << QStringList{"COM1", "COM5", "COM3", "COM12"};
        QTest::newRow("all four present, COM7 reached by its name only")
            << QStringList{"COM7", "COM4", "COM3", "COM2", "COM1"} << own;
        QTest::newRow("names that are no COM port") << QStringList{"CNCA0", "COMX", "COM05"} << own;
    }

    void windowsNumbering() {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, expected);
        std::vector<SerialPortEntry> listed;
        for (const QString& name : ports)
            listed.push_back({name, QStringLiteral("\\\\.\\") + name, {}, {}});
        QCOMPARE(devices(orv52::windowsComPorts({listed, {}, {}})), expected);
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

    void comPortNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number"); // 0: not a COM port's name
        QTest::newRow("any case") << "cOm4" << 4;
        QTest::newRow("beyond four") << "COM256" << 256;
        QTest::newRow("no number") << "COM" << 0;
        QTest::newRow("leading zero") << "COM01" << 0;
        QTest::newRow("letters after") << "COM2a" << 0;
        QTest::newRow("other device") << "/dev/ttyUSB0" << 0;
    }

    void comPortNames() {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(orv52::comPortNumber(name).value_or(0), number);
    }

    void description_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("manufacturer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("adapter") << "FT232R USB UART"
                                 << "FTDI"
                                 << "/dev/ttyUSB0: FT232R USB UART (FTDI)";
        QTest::newRow("no manufacturer") << "USB Serial"
                                         << ""
                                         << "/dev/ttyUSB0: USB Serial";
        QTest::newRow("on-board port says nothing of itself") << ""
                                                              << ""
                                                              << "/dev/ttyUSB0: port szeregowy";
    }

    void description() {
        QFETCH(QString, description);
        QFETCH(QString, manufacturer);
        QFETCH(QString, expected);
        const orv52::ComPortAssignment assignment{
            "/dev/ttyUSB0", SerialPortEntry{"ttyUSB0", "/dev/ttyUSB0", description, manufacturer}};
        QCOMPARE(orv52::describeComPort(assignment), expected);
    }

    // The kernel's record of a ttyS overrules Qt's listing; where it keeps none, Qt's stands.
    void kernelRecordDecidesWhatIsOnBoard_data() {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("uarts"); // "ttyS0=1": the kernel records a UART
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("listed placeholders give way to the adapter")
            << QStringList{"ttyS0", "ttyS1", "ttyS2", "ttyS3", "ttyUSB0"}
            << QStringList{"ttyS0=0", "ttyS1=0", "ttyS2=0", "ttyS3=0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("a UART Qt left out keeps its number")
            << QStringList{"ttyUSB0"} << QStringList{"ttyS0=1", "ttyS1=0"}
            << QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("no record: Qt's listing stands")
            << QStringList{"ttyS1", "ttyUSB0"} << QStringList{"ttyS0=0"}
            << QStringList{"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
    }

    void kernelRecordDecidesWhatIsOnBoard() {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, uarts);
        QFETCH(QStringList, expected);
        orv52::SerialSystemView system{listed(ports), {}, {}};
        for (const QString& record : uarts)
            system.kernelUarts[record.section('=', 0, 0)] = record.endsWith("=1");
        QCOMPARE(devices(orv52::linuxComPorts(system)), expected);
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

    // Where "COMn" stops being a COM port's name: the digits' limits, the count of digits, and
    // nothing (-1) apart from the number 0.
    void comPortNumberBoundaries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number"); // -1: no number
        const std::pair<const char*, int> rows[] = {
            {"COM1", 1},       {"COM9", 9},      {"COM10", 10}, {"com12", 12},
            {"COM9999", 9999}, {"COM10000", -1}, {"COM0", -1},  {"COM", -1},
            {"COM/", -1},      {"COM:", -1},     {"CO1", -1}};
        for (const auto& [name, number] : rows)
            QTest::newRow(name) << QString(name) << number;
    }
    void comPortNumberBoundaries() {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(orv52::comPortNumber(name).value_or(-1), number);
    }

    // The orders the numbering follows: names by prefix, then by number; Windows' numbers
    // beyond COM 4 only.
    void numberingOrder_data() {
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("prefix before length")
            << false << QStringList{"ttyUSB0", "ttyACM10"}
            << QStringList{"/dev/ttyACM10", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyS3"};
        QTest::newRow("COM4 is no port beyond four")
            << true << QStringList{"COM7", "COM4"} << QStringList{"COM7", "COM2", "COM3", "COM4"};
        QTest::newRow("COM5 is the first beyond four")
            << true << QStringList{"COM5"} << QStringList{"COM5", "COM2", "COM3", "COM4"};
    }
    void numberingOrder() {
        QFETCH(bool, windows);
        QFETCH(QStringList, ports);
        QFETCH(QStringList, expected);
        std::vector<SerialPortEntry> entries = listed(ports);
        if (windows)
            for (auto& entry : entries)
                entry.systemLocation = QStringLiteral("\\\\.\\") + entry.portName;
        const orv52::SerialSystemView system{entries, {}, {}};
        QCOMPARE(devices(windows ? orv52::windowsComPorts(system) : orv52::linuxComPorts(system)),
                 expected);
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

    void descriptionOfANumberWithNothingBehindIt() {
        QCOMPARE(orv52::describeComPort({"/dev/ttyS2", std::nullopt}),
                 QStringLiteral("/dev/ttyS2: brak urządzenia"));
    }
};

QTEST_GUILESS_MAIN(ComPortMapTest)
#include "test_com_port_map.moc"
