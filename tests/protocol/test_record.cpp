#include "protocol/record.h"
#include "protocol/requests.h"

#include <QTest>
#include <algorithm>
#include <cmath>

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

    void checksumOfAWholeMultipleIsZero() {
        Record frame = makeProgrammingFrameTemplate();
        frame[offset::TeamMaskLow] = 256 - kHeaderSum; // 233 + 23 = 256
        QCOMPARE(frameChecksum(frame), 0);
        frame[offset::TeamMaskHigh] = 0xFF; // 511: needs 1 more
        QCOMPARE(frameChecksum(frame), 1);
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

    void byteToPosition() {
        QVERIFY(!byteToListPosition(0));
        for (const auto& [byte, position] : {std::pair{1, 0}, {2, 1}, {3, 2}, {4, 2}, {8, 3}}) {
            QCOMPARE(byteToListPosition(static_cast<std::uint8_t>(byte)), std::optional(position));
        }
        for (int v = 1; v <= 255; ++v) {
            const auto reference = static_cast<int>(std::lround(std::log2(v)));
            QCOMPARE(byteToListPosition(static_cast<std::uint8_t>(v)), std::optional(reference));
        }
    }

    void positionToByte() {
        for (int p = 0; p <= 3; ++p) {
            QCOMPARE(byteToListPosition(listPositionToByte(p)), std::optional(p));
        }
        QCOMPARE(listPositionToByte(3), 8);
        QCOMPARE(listPositionToByte(-1), 0);
    }
};

QTEST_APPLESS_MAIN(TestRecord)
#include "test_record.moc"
