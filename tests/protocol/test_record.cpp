#include "protocol/record.h"
#include "protocol/requests.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <utility>

using namespace orv52;

class TestRecord : public QObject {
    Q_OBJECT

private slots:
    void startUpFrameIsTheWorkedExample() {
        Record frame = makeProgrammingFrameTemplate();
        frame[offset::DurationUpperRelay] = 1;
        frame[offset::DurationLowerRelay] = 1;
        frame[offset::DisplayCommand] = listPositionToByte(0);
        frame[offset::BuzzerMode] = listPositionToByte(0);
        frame[offset::Checksum] = frameChecksum(frame);

        const Record expected{0x50, 0x52, 0x47, 0, 0, 0, 0, 0, 1, 1,   0,
                              0,    1,    1,    0, 0, 0, 0, 0, 0, 0x13};
        QCOMPARE(frame, expected);
        QVERIFY(isRecordValid(frame));
    }

    // The checksum adds offsets 4 to 13 to the header's 233 and nothing else.
    void checksum_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("checksum");
        QTest::newRow("header alone: 256 - 233") << 4 << 0 << 0x17;
        QTest::newRow("first summed offset") << 4 << 1 << 0x16;
        QTest::newRow("last summed offset") << 13 << 1 << 0x16;
        QTest::newRow("sum 255 needs 1") << 13 << 22 << 0x01;
        QTest::newRow("sum 256 is 0, never 256") << 4 << 23 << 0x00;
        QTest::newRow("sum 257 needs 255") << 4 << 24 << 0xFF;
        QTest::newRow("sum 488") << 5 << 0xFF << 0x18;
        QTest::newRow("reserved offset 3 not added") << 3 << 5 << 0x17;
        QTest::newRow("reserved offset 14 not added") << 14 << 5 << 0x17;
        QTest::newRow("version not added") << 19 << 5 << 0x17;
    }
    void checksum() {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(int, checksum);
        Record frame = makeProgrammingFrameTemplate();
        frame[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);
        QCOMPARE(frameChecksum(frame), checksum);
    }

    // A receiver's configuration is summed whole, its version byte included.
    void checksumOfAConfigurationCoversEveryByte() {
        Record record{};
        record[offset::FirmwareVersion] = 0x23;
        QCOMPARE(recordChecksum(record), 0xDD);
        std::copy_n("PRG", 3, record.begin()); // 233 + 35 = 268: needs 244
        QCOMPARE(recordChecksum(record), 0xF4);
        record[offset::Checksum] = recordChecksum(record);
        QVERIFY(isRecordValid(record));
    }

    void configurationQuery() {
        const ConfigurationQuery expected{'C', 'F', 'G', 0x00, '?'};
        QCOMPARE(makeConfigurationQuery(), expected);
    }

    void recordCheck_data() {
        // The record's leading bytes; the rest are 0.
        QTest::addColumn<QByteArray>("leading");
        QTest::addColumn<bool>("valid");
        QTest::newRow("sum 0") << QByteArray() << true;
        QTest::newRow("sum 256") << QByteArray::fromHex("ff01") << true;
        QTest::newRow("sum 512") << QByteArray::fromHex("ffff02") << true;
        QTest::newRow("sum 257") << QByteArray::fromHex("ff02") << false;
        QTest::newRow("header XRG, sum 256") << QByteArray::fromHex("5852470f") << true;
    }
    void recordCheck() {
        QFETCH(QByteArray, leading);
        QFETCH(bool, valid);
        Record record{};
        std::copy(leading.begin(), leading.end(), record.begin());
        QCOMPARE(isRecordValid(record), valid);
    }

    void versionTexts_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("text");
        QTest::newRow("0x12") << 0x12 << "1.2";
        QTest::newRow("0x1A") << 0x1A << "1.10";
        QTest::newRow("0x00") << 0x00 << "0.0";
        QTest::newRow("0xF0") << 0xF0 << "15.0";
        QTest::newRow("0x0F") << 0x0F << "0.15";
    }
    void versionTexts() {
        QFETCH(int, byte);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(versionText(static_cast<std::uint8_t>(byte))), text);
    }

    // log2 rounded: each pair straddles a point k + 0.5 where the position steps up.
    void byteToPosition_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("position"); // -1: no position
        const std::pair<int, int> rows[] = {{0, -1}, {1, 0},   {2, 1},   {3, 2},   {4, 2},
                                            {5, 2},  {6, 3},   {8, 3},   {11, 3},  {12, 4},
                                            {22, 4}, {23, 5},  {45, 5},  {46, 6},  {90, 6},
                                            {91, 7}, {128, 7}, {181, 7}, {182, 8}, {255, 8}};
        for (const auto& [byte, position] : rows)
            QTest::addRow("%d", byte) << byte << position;
    }
    void byteToPosition() {
        QFETCH(int, byte);
        QFETCH(int, position);
        QCOMPARE(byteToListPosition(static_cast<std::uint8_t>(byte)).value_or(-1), position);
    }

    // Beyond the table: every byte against log2 rounded by the C library.
    void everyByteIsItsRoundedLog2() {
        for (int v = 1; v <= 255; ++v) {
            const auto reference = static_cast<int>(std::lround(std::log2(v)));
            QCOMPARE(byteToListPosition(static_cast<std::uint8_t>(v)), std::optional(reference));
        }
    }

    void positionToByte_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("byte");
        // 39: far past the list, where a bare shift would wrap round to bit 7.
        const std::pair<int, int> rows[] = {{-1, 0}, {0, 1},    {1, 2}, {2, 4},
                                            {3, 8},  {7, 0x80}, {8, 0}, {39, 0}};
        for (const auto& [position, byte] : rows)
            QTest::addRow("%d", position) << position << byte;
    }
    void positionToByte() {
        QFETCH(int, position);
        QFETCH(int, byte);
        QCOMPARE(listPositionToByte(position), byte);
    }
};

QTEST_APPLESS_MAIN(TestRecord)
#include "test_record.moc"
