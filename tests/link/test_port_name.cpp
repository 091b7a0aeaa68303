#include "link/port_name.h"
#include "link/port_resolver.h"

#include <QTest>
#include <tuple>

class PortNameTest : public QObject {
    Q_OBJECT

private slots:
    void comNumberNamesSystemDevice_data() {
        QTest::addColumn<int>("portNumber");
        QTest::addColumn<QString>("linuxDevice");
        QTest::addColumn<QString>("windowsDevice");
        const std::tuple<int, const char*, const char*> rows[] = {
            {1, "/dev/ttyS0", "COM1"}, {2, "/dev/ttyS1", "COM2"}, {4, "/dev/ttyS3", "COM4"}};
        for (const auto& [number, onLinux, onWindows] : rows)
            QTest::addRow("COM %d", number) << number << QString(onLinux) << QString(onWindows);
    }

    void comNumberNamesSystemDevice() {
        QFETCH(int, portNumber);
        QFETCH(QString, linuxDevice);
        QFETCH(QString, windowsDevice);
        QCOMPARE(orv52::linuxComPortDevice(portNumber), linuxDevice);
        QCOMPARE(orv52::windowsComPortDevice(portNumber), windowsDevice);
    }

    // Where "COMn" stops being a COM port's name (the digits' limits, the count of digits, no
    // number 0), and which of those names are the window's numbers: COM1..COM4 in any case;
    // anything else names a device.
    void portNamesAreNumbersOrDevices_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number"); // -1: no COM port's name
        QTest::addColumn<int>("choice"); // 0: a device
        const std::tuple<const char*, int, int> rows[] = {
            {"COM1", 1, 1},         {"cOm4", 4, 4},   {"COM5", 5, 0},     {"COM9", 9, 0},
            {"COM10", 10, 0},       {"com12", 12, 0}, {"COM256", 256, 0}, {"COM9999", 9999, 0},
            {"COM10000", -1, 0},    {"COM0", -1, 0},  {"COM01", -1, 0},   {"COM", -1, 0},
            {"COM/", -1, 0},        {"COM:", -1, 0},  {"COM2a", -1, 0},   {"CO1", -1, 0},
            {"/dev/ttyUSB0", -1, 0}};
        for (const auto& [name, number, choice] : rows)
            QTest::newRow(name) << QString(name) << number << choice;
    }

    void portNamesAreNumbersOrDevices() {
        QFETCH(QString, name);
        QFETCH(int, number);
        QFETCH(int, choice);
        QCOMPARE(orv52::comPortNumber(name).value_or(-1), number);
        const orv52::PortChoice named = orv52::PortResolver::choiceNamed(name);
        if (choice == 0)
            QCOMPARE(std::get<QString>(named), name);
        else
            QCOMPARE(std::get<int>(named), choice);
    }
};

QTEST_GUILESS_MAIN(PortNameTest)
#include "test_port_name.moc"
