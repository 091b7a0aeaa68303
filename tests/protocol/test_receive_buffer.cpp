#include "protocol/receive_buffer.h"
#include "protocol/requests.h"

#include <QByteArray>
#include <QList>
#include <QTest>

using namespace orv52;

Q_DECLARE_METATYPE(Recognition)

namespace {

// A record holding every kind of byte, also ones that look like headers or "OK".
QByteArray sampleRecord() {
    return QByteArray::fromHex("00ff807f50524743464701040a0b0c0d0e0f4f4b13");
}

QByteArray programmingAnswer() {
    const Record frame = makeProgrammingFrameTemplate();
    return QByteArray(reinterpret_cast<const char*>(frame.data()), frame.size()) + "OK";
}

QByteArray configurationAnswer() {
    const ConfigurationQuery query = makeConfigurationQuery();
    return QByteArray(reinterpret_cast<const char*>(query.data()), query.size()) + "OK" +
           sampleRecord();
}

void append(ReceiveBuffer& buffer, const QByteArray& batch) {
    buffer.append({reinterpret_cast<const std::uint8_t*>(batch.data()),
                   static_cast<std::size_t>(batch.size())});
}

QByteArray text(const ReceiveBuffer& buffer) {
    return QByteArray::fromStdString(buffer.text());
}

} // namespace

class TestReceiveBuffer : public QObject {
    Q_OBJECT

private slots:
    void recognition_data() {
        using enum Recognition;
        QTest::addColumn<QList<QByteArray>>("batches");
        QTest::addColumn<QList<Recognition>>("recognitions");
        QTest::addColumn<QByteArray>("finalText");

        const QByteArray cfg = configurationAnswer();
        const QByteArray prg = programmingAnswer();
        QByteArray cfgOddQuery = cfg;
        cfgOddQuery.replace(3, 2, "ab");
        QByteArray prgWithEr = prg;
        prgWithEr.replace(21, 2, "ER");

        QTest::newRow("configuration in batches 6/12/10")
            << QList{cfg.left(6), cfg.mid(6, 12), cfg.mid(18)}
            << QList{Incomplete, Incomplete, ConfigurationAnswer} << sampleRecord();
        QTest::newRow("query bytes 4 and 5 not looked at")
            << QList{cfgOddQuery} << QList{ConfigurationAnswer} << sampleRecord();
        QTest::newRow("ER instead of OK never completes")
            << QList{prgWithEr, QByteArray("K")} << QList{Incomplete, Incomplete}
            << prgWithEr + "K";
        QTest::newRow("OK one byte early never completes")
            << QList{prg.left(20) + "OK"} << QList{Incomplete} << prg.left(20) + "OK";
        QTest::newRow("OK one byte late never completes")
            << QList{prg.left(22) + "OK"} << QList{Incomplete} << prg.left(22) + "OK";
        QTest::newRow("one byte too many in the same batch")
            << QList{cfg + "x"} << QList{Incomplete} << cfg + "x";
        QTest::newRow("stray bytes then answer in the same batch")
            << QList{"\x01xyC" + cfg} << QList{ConfigurationAnswer} << sampleRecord();
        QTest::newRow("stray bytes, answer in the next batch")
            << QList{QByteArray("zzzz"), prg} << QList{StrayData, ProgrammingAnswer} << prg;
        QTest::newRow("header split after stray byte")
            << QList{QByteArray("xPR"), prg.mid(2)} << QList{Incomplete, ProgrammingAnswer} << prg;
        QTest::newRow("lone stray byte left alone")
            << QList{QByteArray("x")} << QList{StrayData} << QByteArray("x");
        QTest::newRow("stray bytes keep only the last")
            << QList{QByteArray("OK?xy")} << QList{StrayData} << QByteArray("y");
        QTest::newRow("broken header resynchronised")
            << QList{QByteArray("PRX"), QByteArray("CF")} << QList{StrayData, Incomplete}
            << QByteArray("CF");
    }
    void recognition() {
        QFETCH(QList<QByteArray>, batches);
        QFETCH(QList<Recognition>, recognitions);
        QFETCH(QByteArray, finalText);

        ReceiveBuffer buffer;
        for (qsizetype i = 0; i < batches.size(); ++i) {
            append(buffer, batches[i]);
            QCOMPARE(static_cast<int>(buffer.recognise()), static_cast<int>(recognitions[i]));
        }
        QCOMPARE(text(buffer), finalText);
        if (recognitions.last() == Recognition::ConfigurationAnswer) {
            const Record record = buffer.record();
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.data()), record.size()),
                     finalText);
        }
    }

    void growthIsBounded() {
        for (const auto& [header, limit] : {std::pair{"PRG", kProgrammingAnswerSize + 1},
                                            {"CFG", kConfigurationAnswerSize + 1}}) {
            ReceiveBuffer buffer;
            append(buffer, header);
            for (int i = 0; i < 20; ++i) {
                append(buffer, QByteArray("OK\0OK\0", 6)); // never lands on 23 or 28
                QCOMPARE(buffer.recognise(), Recognition::Incomplete);
                QVERIFY(buffer.text().starts_with(header));
                QVERIFY(buffer.text().size() <= limit);
            }
            QCOMPARE(buffer.text().size(), limit);
        }
    }
};

QTEST_APPLESS_MAIN(TestReceiveBuffer)
#include "test_receive_buffer.moc"
