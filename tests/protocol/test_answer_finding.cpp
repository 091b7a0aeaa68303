#include "protocol/answer_finding.h"
#include "protocol/record.h"
#include "protocol/requests.h"

#include <QByteArray>
#include <QTest>

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
        const QByteArray frame = bytes(makeProgrammingFrameTemplate());
        // Passes its check, and begins like a programming answer.
        const QByteArray record = QByteArray::fromHex("5052470000000000010100000101000000000023f0");
        const QByteArray read = query + "OK" + record;
        const QByteArray programmed = frame + "OK";
        QByteArray damagedRecord = read;
        damagedRecord[10] = char(damagedRecord[10] ^ 0x04);

        QTest::newRow("read answered") << query << read << Answered;
        QTest::newRow("program answered") << frame << programmed << Answered;
        QTest::newRow("a request of its bare header") << frame.left(3) << programmed << Answered;
        QTest::newRow("stray bytes before a sound answer") << query << "\x01zx" + read << Answered;
        QTest::newRow("nothing") << query << QByteArray() << Silence;
        QTest::newRow("query looped back") << query << query << Echo;
        QTest::newRow("query refused") << query << query + "ER" + record << Refused;
        QTest::newRow("frame refused") << frame << frame + "ER" << Refused;
        QTest::newRow("query refused, nothing after") << query << query + "ER" << Refused;
        QTest::newRow("read followed by a byte") << query << read + "\xff" << BytesTooMany;
        QTest::newRow("record broken by a byte")
            << query << read.left(12) + "\xff" + read.mid(12) << BytesTooMany;
        QTest::newRow("status pushed back by a byte") << frame << frame + "\xffOK" << BytesTooMany;
        QTest::newRow("read cut short") << query << read.left(14) << CutShort;
        QTest::newRow("cut inside the header") << query << QByteArray("CF") << CutShort;
        QTest::newRow("cut after the header") << query << QByteArray("CFG\0", 4) << CutShort;
        QTest::newRow("stray bytes then a bare header") << query
                                                        << QByteArray("\x01"
                                                                      "CFG")
                                                        << CutShort;
        QTest::newRow("noise") << query << QByteArray::fromHex("f80078800e06e09e") << Stray;
        QTest::newRow("noise ending like a header") << frame << QByteArray("\x01zxP") << Stray;
        QTest::newRow("record fails its check") << query << damagedRecord << BadRecord;
        QTest::newRow("acknowledgement to a read") << query << programmed << OtherKind;
        QTest::newRow("configuration to a program") << frame << read << OtherKind;
        QTest::newRow("neither OK nor ER") << query << query + "OX" + record << Garbled;
        // A sound record naming no item of a list: a newer firmware's value, not noise.
        QByteArray newerDisplay = read;
        newerDisplay[7 + 12] = char(0x80);
        newerDisplay[7 + 20] = char(newerDisplay[7 + 20] - 0x80 + 0x01);
        QTest::newRow("display command past its list") << query << newerDisplay << UnknownValue;
        QByteArray noBuzzer = read;
        noBuzzer[7 + 13] = 0;
        noBuzzer[7 + 20] = char(noBuzzer[7 + 20] + 0x01);
        QTest::newRow("buzzer mode of no bit") << query << noBuzzer << UnknownValue;
        QTest::newRow("a bad check before an unknown value")
            << query << newerDisplay.left(27) + QByteArray(1, 0) << BadRecord;
    }

    void findings() {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, received);
        QFETCH(Finding, finding);
        AnswerReader reader(span(request));
        reader.take(span(received));
        const AnswerReading reading = reader.reading();
        QCOMPARE(key(reading.finding), key(finding));
        QCOMPARE(reading.unknownValue.has_value(), finding == Finding::UnknownValue);
    }
};

QTEST_APPLESS_MAIN(TestAnswerFinding)
#include "test_answer_finding.moc"
