#include "protocol/configuration.h"
#include "protocol/requests.h"

#include <QTest>

using namespace orv52;

namespace {

Configuration sampleSettings() {
    Configuration settings;
    settings.teamMaskLow = 0x81;  // teams 1 and 8
    settings.teamMaskHigh = 0x41; // teams 9 and 15
    settings.timings = {5, 6, 7, 8, 9, 255};
    settings.displayCommand = 2;
    settings.buzzerMode = 3;
    return settings;
}

// A received record is checked over all its bytes, its version included.
void seal(Record& record) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < offset::Checksum; ++i)
        sum += record[i];
    record[offset::Checksum] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
}

// A record as a receiver sends it: the settings, a version and a valid checksum.
Record receivedRecord(const Configuration& settings, std::uint8_t version) {
    Record record = makeProgrammingFrameTemplate();
    fillProgrammingFrame(record, settings);
    record[offset::FirmwareVersion] = version;
    seal(record);
    return record;
}

} // namespace

class TestConfiguration : public QObject {
    Q_OBJECT

private slots:
    void settingsGoToTheirOffsetsUnderAChecksum() {
        Record frame = makeProgrammingFrameTemplate();
        fillProgrammingFrame(frame, sampleSettings());
        const Record expected{'P', 'R',  'G',  0, 0x81, 0x41, 5, 6, 7, 8, 9,
                              255, 0x04, 0x08, 0, 0,    0,    0, 0, 0, 0};
        for (std::size_t i = 0; i + 1 < kRecordSize; ++i)
            QCOMPARE(frame[i], expected[i]);
        QVERIFY(isRecordValid(frame));
    }

    void defaultSettingsGiveTheStartUpFrame() {
        Record frame = makeProgrammingFrameTemplate();
        fillProgrammingFrame(frame, Configuration{});
        QCOMPARE(frame[offset::Checksum], 0x13);
    }

    void aReceivedRecordReadsBackAsItsSettings() {
        const auto read = readConfiguration(receivedRecord(sampleSettings(), 0x17));
        QVERIFY(read);
        Configuration expected = sampleSettings();
        expected.firmwareVersion = 0x17;
        QCOMPARE(*read, expected);
    }

    void theHighBitOfTheHighMaskIsNoTeam() {
        Configuration settings = sampleSettings();
        settings.teamMaskHigh = 0xFF;
        const auto read = readConfiguration(receivedRecord(settings, 0x17));
        QVERIFY(read);
        QCOMPARE(read->teamMaskHigh, 0x7F);
    }

    void aRecordThatCannotBeShownIsRefusedWhole_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("resealed");
        QTest::newRow("checksum off by one") << int(offset::Checksum) << -1 << false;
        QTest::newRow("display command beyond the list")
            << int(offset::DisplayCommand) << 0x08 << true;
        QTest::newRow("display command of no bit") << int(offset::DisplayCommand) << 0 << true;
        QTest::newRow("buzzer mode beyond the list") << int(offset::BuzzerMode) << 0x10 << true;
    }

    void aRecordThatCannotBeShownIsRefusedWhole() {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(bool, resealed);
        Record record = receivedRecord(sampleSettings(), 0x17);
        const auto at = static_cast<std::size_t>(offset);
        record[at] = value < 0 ? std::uint8_t(record[at] + value) : std::uint8_t(value);
        if (resealed)
            seal(record);
        QVERIFY(!readConfiguration(record));
    }
};

QTEST_APPLESS_MAIN(TestConfiguration)
#include "test_configuration.moc"
