#include "protocol/answer_finding.h"
#include "protocol/record.h"
#include "protocol/requests.h"

#include <QByteArray>
#include <QTest>
#include <numeric>

using namespace orv52;

Q_DECLARE_METATYPE(Finding)

namespace {

QByteArray bytes(std::span<const std::uint8_t> span) {
    return {reinterpret_cast<const char*>(span.data()), static_cast<qsizetype>(span.size())};
}

std::span<const std::uint8_t> span(const QByteArray& array) {
    return {reinterpret_cast<const std::uint8_t*>(array.data()),
            static_cast<std::size_t>(array.size())};
}

// A record that passes its check and holds bytes that look like headers and statuses.
QByteArray validRecord() {
    Record record{'C', 'F', 'G', 'O', 'K', 'E', 'R', 'P', 'R', 'G', 0x12};
    const unsigned sum = std::accumulate(record.begin(), record.end(), 0u);
    record[offset::Checksum] = static_cast<std::uint8_t>(256 - sum % 256);
    return bytes(record);
}

QByteArray key(Finding finding) {
    const std::string_view text = findingKey(finding);
    return {text.data(), static_cast<qsizetype>(text.size())};
}

} // namespace

class TestAnswerFinding : public QObject {
    Q_OBJECT

private slots:
    void findings_data() {
        using enum Finding;
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<Finding>("finding");

        const QByteArray query = bytes(makeConfigurationQuery());
        Record filled = makeProgrammingFrameTemplate();
        filled[offset::TeamMaskLow] = 0x81;
        filled[offset::Checksum] = frameChecksum(filled);
        const QByteArray frame = bytes(filled);
        const QByteArray record = validRecord();
        const QByteArray read = query + "OK" + record;
        const QByteArray programmed = frame + "OK";
        QByteArray damagedRecord = read;
        damagedRecord[10] = char(damagedRecord[10] ^ 0x04);

        QTest::newRow("read answered") << query << read << Answered;
        QTest::newRow("program answered") << frame << programmed << Answered;
        QTest::newRow("stray bytes before a sound answer") << query << "\x01zx" + read << Answered;
        QTest::newRow("nothing") << query << QByteArray() << Silence;
        QTest::newRow("query looped back") << query << query << Echo;
        QTest::newRow("frame looped back") << frame << frame << Echo;
        QTest::newRow("query refused") << query << query + "ER" + record << Refused;
        QTest::newRow("frame refused") << frame << frame + "ER" << Refused;
        QTest::newRow("refused with a byte too many") << frame << frame + "ER\xff" << Refused;
        QTest::newRow("read followed by a byte") << query << read + "\xff" << BytesTooMany;
        QTest::newRow("record broken by a byte")
            << query << read.left(12) + "\xff" + read.mid(12) << BytesTooMany;
        QTest::newRow("status pushed back by a byte") << frame << frame + "\xffOK" << BytesTooMany;
        QTest::newRow("read cut short") << query << read.left(14) << CutShort;
        QTest::newRow("program cut short") << frame << programmed.left(11) << CutShort;
        QTest::newRow("cut inside the header") << query << QByteArray("CF") << CutShort;
        QTest::newRow("stray bytes, then an answer cut short")
            << query << "zz" + read.left(9) << CutShort;
        QTest::newRow("noise") << query << QByteArray::fromHex("f80078800e06e09e") << Stray;
        QTest::newRow("noise ending like a header") << frame << QByteArray("\x01zxP") << Stray;
        QTest::newRow("record fails its check") << query << damagedRecord << BadRecord;
        QTest::newRow("acknowledgement to a read") << query << programmed << OtherKind;
        QTest::newRow("configuration to a program") << frame << read << OtherKind;
        QTest::newRow("other kind cut short") << query << programmed.left(10) << OtherKind;
        QTest::newRow("neither OK nor ER") << query << query + "OX" + record << Garbled;
    }

    void findings() {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, received);
        QFETCH(Finding, finding);
        QCOMPARE(key(examineAnswer(span(request), span(received))), key(finding));
    }
};

QTEST_APPLESS_MAIN(TestAnswerFinding)
#include "test_answer_finding.moc"
