#include "protocol/numbered_error.h"
#include "protocol/text_value.h"

#include <QByteArray>
#include <QTest>
#include <limits>

using namespace orv52;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
const QString kNoNumber = QStringLiteral("(none)");
constexpr int kOverflow = -1;

std::string_view view(const QByteArray& text) {
    return {text.constData(), static_cast<std::size_t>(text.size())};
}

} // namespace

class TestTextValue : public QObject {
    Q_OBJECT

private slots:
    void value_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        const QByteArray zeros(400, '0');
        QTest::newRow("12") << QByteArray("12") << 12.0;
        QTest::newRow("007") << QByteArray("007") << 7.0;
        QTest::newRow("12a") << QByteArray("12a") << 12.0;
        QTest::newRow("abc") << QByteArray("abc") << 0.0;
        QTest::newRow("-5") << QByteArray("-5") << -5.0;
        QTest::newRow("blanks inside") << QByteArray(" 1 2") << 12.0;
        QTest::newRow("tab, line feed, blank") << QByteArray("-\t1\n2 .5") << -12.5;
        QTest::newRow("carriage return stops") << QByteArray("1\r2") << 1.0;
        QTest::newRow("digits 9 and 0") << QByteArray("90") << 90.0;
        QTest::newRow("hex") << QByteArray("&HF") << 15.0;
        QTest::newRow("hex stops at g") << QByteArray("&hffg") << 255.0;
        QTest::newRow("hex digits 0 and 9") << QByteArray("&H09") << 9.0;
        QTest::newRow("hex a") << QByteArray("&Ha") << 10.0;
        QTest::newRow("hex A") << QByteArray("&hA") << 10.0;
        QTest::newRow("hex G is none") << QByteArray("&HG") << 0.0;
        QTest::newRow("hex before a is none") << QByteArray("&H`") << 0.0;
        QTest::newRow("hex before A is none") << QByteArray("&H@") << 0.0;
        QTest::newRow("hex before 0 is none") << QByteArray("&H/") << 0.0;
        QTest::newRow("hex after 9 is none") << QByteArray("&H:") << 0.0;
        QTest::newRow("hex without digits") << QByteArray("&H") << 0.0;
        QTest::newRow("octal stops at 8") << QByteArray("&o178") << 15.0;
        QTest::newRow("octal O") << QByteArray("&O17") << 15.0;
        QTest::newRow("other prefix") << QByteArray("&X1") << 0.0;
        QTest::newRow("exponent") << QByteArray("1e2") << 100.0;
        QTest::newRow("negative exponent") << QByteArray("25E-1") << 2.5;
        QTest::newRow("E without digits") << QByteArray("1e+x") << 1.0;
        QTest::newRow(".5") << QByteArray(".5") << 0.5;
        QTest::newRow("second point stops") << QByteArray("1.5.3") << 1.5;
        QTest::newRow("huge exponent") << QByteArray("-1e99999999999999999999") << -kInfinity;
        QTest::newRow("long fraction, exponent cancels") << "0." + zeros + "1e401" << 1.0;
    }
    void value() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QCOMPARE(textValue(view(text)), value);
    }

    // A text ends where its view ends, whatever follows it in memory.
    void textEndsWithItsView() {
        const std::string_view digits = "12";
        QCOMPARE(textValue(digits.substr(0, 1)), 1.0);
        QCOMPARE(normalForm(digits.substr(0, 1)), std::optional<std::string>("1"));
    }

    void toByte_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("byte");
        QTest::newRow("2.5") << QByteArray("2.5") << 2;
        QTest::newRow("3.5") << QByteArray("3.5") << 4;
        QTest::newRow("2.49") << QByteArray("2.49") << 2;
        QTest::newRow("2.51") << QByteArray("2.51") << 3;
        QTest::newRow("0") << QByteArray("0") << 0;
        QTest::newRow("255") << QByteArray("255") << 255;
        QTest::newRow("255.4") << QByteArray("255.4") << 255;
        QTest::newRow("-0.5") << QByteArray("-0.5") << 0;
        QTest::newRow("-0.6") << QByteArray("-0.6") << kOverflow;
        QTest::newRow("-0.4") << QByteArray("-0.4") << 0;
        QTest::newRow("255.5") << QByteArray("255.5") << kOverflow;
        QTest::newRow("-1") << QByteArray("-1") << kOverflow;
        QTest::newRow("1e400") << QByteArray("1e400") << kOverflow;
    }
    void toByte() {
        QFETCH(QByteArray, text);
        QFETCH(int, byte);
        try {
            QCOMPARE(textToByte(view(text)), byte);
        } catch (const NumberedError& error) {
            QCOMPARE(error.number(), error_number::Overflow);
            QCOMPARE(byte, kOverflow);
        }
    }

    void normal_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("normal");
        QTest::newRow("007") << QByteArray("007") << "7";
        QTest::newRow("000") << QByteArray("000") << "0";
        QTest::newRow("blanks around") << QByteArray("\t12 \n") << "12";
        QTest::newRow("-05") << QByteArray("-05") << "-5";
        QTest::newRow("300") << QByteArray("300") << "300";
        QTest::newRow("half to even") << QByteArray("-2.5") << "-2";
        QTest::newRow("no minus zero") << QByteArray("-0.4") << "0";
        QTest::newRow("hex") << QByteArray("&HF") << "15";
        QTest::newRow("large") << QByteArray("1e20") << "100000000000000000000";
        QTest::newRow("12a") << QByteArray("12a") << kNoNumber;
        QTest::newRow("abc") << QByteArray("abc") << kNoNumber;
        QTest::newRow("empty") << QByteArray("") << kNoNumber;
        QTest::newRow("blank inside") << QByteArray(" 1 2") << kNoNumber;
        QTest::newRow("lone sign") << QByteArray("-") << kNoNumber;
        QTest::newRow("lone point") << QByteArray(".") << kNoNumber;
        QTest::newRow("E without digits") << QByteArray("1e") << kNoNumber;
        QTest::newRow("infinite") << QByteArray("1e400") << kNoNumber;
        QTest::newRow("character before 0") << QByteArray("1/") << kNoNumber;
        QTest::newRow("character after 9") << QByteArray("9:") << kNoNumber;
        QTest::newRow("hex without digits") << QByteArray("&H") << kNoNumber;
        QTest::newRow("largest double, every digit")
            << QByteArray("-1.7976931348623157e308")
            << "-17976931348623157081452742373170435679807056752584499659891747680315726078002"
               "853876058955863276687817154045895351438246423432132688946418276846754670353751"
               "698604991057655128207624549009038932894407586850845513394230458323690322294816"
               "5808559332123348274797826204144723168738177180919299881250404026184124858368";
    }
    void normal() {
        QFETCH(QByteArray, text);
        QFETCH(QString, normal);
        const auto result = normalForm(view(text));
        QCOMPARE(result ? QString::fromStdString(*result) : kNoNumber, normal);
    }
};

QTEST_APPLESS_MAIN(TestTextValue)
#include "test_text_value.moc"
