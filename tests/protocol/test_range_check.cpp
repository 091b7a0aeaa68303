#include "protocol/range_check.h"

#include <QTest>

using namespace orv52;

namespace {
const QString kUnchanged = QStringLiteral("(unchanged)");
}

class TestRangeCheck : public QObject {
    Q_OBJECT

private slots:
    void leavingAField_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<bool>("rejected");
        QTest::addColumn<QString>("newText");
        QTest::newRow("empty delay becomes 0") << QByteArray("") << 0 << false << "0";
        QTest::newRow("empty duration becomes 1") << QByteArray("") << 1 << false << "1";
        QTest::newRow("blanks are not empty") << QByteArray("   ") << 0 << false << kUnchanged;
        QTest::newRow("0 in a delay") << QByteArray("0") << 0 << false << "0";
        QTest::newRow("255") << QByteArray("255") << 0 << false << "255";
        QTest::newRow("256 in a delay") << QByteArray("256") << 0 << true << "256";
        QTest::newRow("0 in a duration") << QByteArray("0") << 1 << true << "0";
        QTest::newRow("256 in a duration") << QByteArray("256") << 1 << true << "256";
        QTest::newRow("000 in a duration") << QByteArray("000") << 1 << true << "0";
        QTest::newRow("007") << QByteArray("007") << 1 << false << "7";
        QTest::newRow("-5 stays") << QByteArray("-5") << 0 << true << "-5";
        QTest::newRow("-05") << QByteArray("-05") << 0 << true << "-5";
        QTest::newRow("12a accepted and kept") << QByteArray("12a") << 0 << false << kUnchanged;
        QTest::newRow("abc in a lighting field") << QByteArray("abc") << 0 << false << kUnchanged;
        QTest::newRow("abc in a duration") << QByteArray("abc") << 1 << true << kUnchanged;
        QTest::newRow("blank then 12") << QByteArray(" 12") << 0 << false << "12";
        QTest::newRow("point is the separator") << QByteArray("2.5") << 0 << false << "2";
        QTest::newRow("half of the top rounds up out of range")
            << QByteArray("255.5") << 0 << true << "256";
    }
    void leavingAField() {
        QFETCH(QByteArray, text);
        QFETCH(int, lowest);
        QFETCH(bool, rejected);
        QFETCH(QString, newText);
        const auto result = checkRange({text.constData(), std::size_t(text.size())}, lowest);
        QCOMPARE(result.rejected, rejected);
        QCOMPARE(result.newText ? QString::fromStdString(*result.newText) : kUnchanged, newText);
    }
};

QTEST_APPLESS_MAIN(TestRangeCheck)
#include "test_range_check.moc"
