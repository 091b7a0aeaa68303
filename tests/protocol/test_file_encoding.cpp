#include "protocol/file_encoding.h"

#include <QTest>

using namespace orv52;

class TestFileEncoding : public QObject {
    Q_OBJECT

private slots:
    void aFileIsReadAsUtf8OrElseAsWindows1250_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // when it is read
        QTest::addColumn<int>("badByte");  // -1 when it is read
        const auto read = [](const char* name, const QByteArray& bytes, const QString& text) {
            QTest::newRow(name) << bytes << text << -1;
        };
        const auto refused = [](const char* name, const QByteArray& bytes, int offset) {
            QTest::newRow(name) << bytes << QString() << offset;
        };
        read("empty", "", "");
        read("UTF-8", "wyswietl_polecenie = Środek", "wyswietl_polecenie = Środek");
        read("UTF-8 of four bytes", "\xF0\x9F\x99\x82", "🙂");
        read("byte-order mark dropped", "\xEF\xBB\xBFtryb_buzera = Bez dźwięku",
             "tryb_buzera = Bez dźwięku");
        read("1250 decided for the whole file", "\xC3\xB3 \x8Crodek", "Ăł Środek");
        read("highest overlong form of two bytes is 1250", "\xC1\xBF", "Áż");
        read("surrogate is 1250", "\xED\xA0\x80", "í\u00A0€");
        read("cut sequence at the end is 1250", "ab\xC5", "abĹ");
        read("sequences at UTF-8's limits are UTF-8",
             "\xC2\x80\xC2\xBF\xDF\xBF\xE0\xA0\x80\xE1\x80\x80\xE2\x82\xAC\xED\x9F\xBF\xEF\xBF\xBF"
             "\xF0\x90\x80\x80\xF1\x80\x80\x80\xF4\x8F\xBF\xBF",
             QStringLiteral(
                 "\u0080\u00BF\u07FF\u0800\u1000€\uD7FF\uFFFF\U00010000\U00040000\U0010FFFF"));
        read("overlong three bytes is 1250", "\xE0\x9F\xBF", "ŕźż");
        read("a third byte that does not continue is 1250",
             "\xE2\x82"
             "A",
             "â‚A");
        read("no lead byte beyond 0xF4", "\xF5\x80\x80\x80", "ő€€€");
        read("overlong four bytes is 1250", "\xF0\x8F\xBF\xBF", "đŹżż");
        read("DEL in UTF-8 text", "\x7F\xC5\x9A", "\x7FŚ");
        read("0x80 alone is 1250", "\x80", "€");
        // A second byte just outside the continuations, after each kind of lead.
        read("0x7F after a lead of two", "\xC5\x7F", "Ĺ\x7F");
        read("0xC0 after a lead of two", "\xC5\xC0", "ĹŔ");
        read("0x7F after a lead of three", "\xE1\x7F\x80", "á\x7F€");
        read("0xC0 after a lead of three", "\xE1\xC0\x80", "áŔ€");
        read("0x7F after a lead of four", "\xF1\x7F\x80\x80", "ń\x7F€€");
        read("0xC0 after a lead of four", "\xF1\xC0\x80\x80", "ńŔ€€");
        // ASCII's last character, then every character Windows-1250 has above ASCII, in the order
        // of its bytes.
        QByteArray upperHalf("\x7F");
        for (int byte = 0x80; byte <= 0xFF; ++byte)
            if (byte != 0x81 && byte != 0x83 && byte != 0x88 && byte != 0x90 && byte != 0x98)
                upperHalf += char(byte);
        read("1250 upper half", upperHalf,
             QStringLiteral(
                 "\x7F€‚„…†‡‰Š‹ŚŤŽŹ‘’“”•–—™š›śťžź\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00AD®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľż"
                 "ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢßŕáâăäĺćçčéęëěíîďđńňóôőö÷řůúűüýţ˙"));
        refused("0x81", "a\x81", 1);
        refused("0x83", "\x8C\x83", 1);
        refused("0x88", "\x88", 0);
        refused("0x90 after a code point beyond U+10FFFF", "\xF4\x90\x80\x80", 1);
        refused("0x98", "x = \x98", 4);
        refused("byte-order mark then not UTF-8",
                "\xEF\xBB\xBF"
                "a\x8C",
                4);
        refused("byte-order mark then a lead and no continuation", "\xEF\xBB\xBF\xE0z", 3);
        refused("byte-order mark then a cut sequence", "\xEF\xBB\xBF\xE2\x82!", 3);
    }

    // Notepad's "Unicode" and "Unicode big endian", by their byte-order marks; UTF-16 saved
    // without one is refused, named by where its NUL bytes stand.
    void aUtf16FileIsReadByItsMark_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // when it is read
        QTest::addColumn<int>("badByte");  // -1 when it is read
        QTest::addColumn<int>("encoding");
        QTest::addColumn<bool>("unmarked");
        const auto row = [](const char* name, const QByteArray& bytes, const QString& text,
                            int badByte, FileEncoding encoding, bool unmarked = false) {
            QTest::newRow(name) << bytes << text << badByte << int(encoding) << unmarked;
        };
        constexpr auto LE = FileEncoding::Utf16LittleEndian;
        constexpr auto BE = FileEncoding::Utf16BigEndian;
        row("little-endian", QByteArray("\xFF\xFEz\0\x05\x01\x3D\xD8\x42\xDE", 10), "zą🙂", -1,
            LE);
        row("UTF-16's limits",
            QByteArray("\xFF\xFE\x7F\0\x80\0\xFF\xFF\0\xD8\0\xDC\xFF\xDB\xFF\xDF", 16),
            QStringLiteral("\x7F\u0080\uFFFF\U00010000\U0010FFFF"), -1, LE);
        row("big-endian", QByteArray("\xFE\xFF\0z\x01\x05\xD8\x3D\xDE\x42", 10), "zą🙂", -1, BE);
        row("a unit cut short", QByteArray("\xFF\xFEz\0a", 5), "", 4, LE);
        row("a high surrogate without its low one", QByteArray("\xFE\xFF\xD8\x3D\0z", 6), "", 2,
            BE);
        row("the first high surrogate alone at the end", QByteArray("\xFF\xFE\0\xD8", 4), "", 2,
            LE);
        row("a low surrogate first", QByteArray("\xFF\xFE\x42\xDE\x3D\xD8", 6), "", 2, LE);
        row("U+0000",
            QByteArray("\xFF\xFE"
                       "a\0\0\0",
                       6),
            "", 4, LE);
        row("no mark, NULs after", QByteArray("a\0b\0", 4), "", 1, LE, true);
        row("no mark, NULs before", QByteArray("\0a\0b", 4), "", 0, BE, true);
        row("no mark, odd length", QByteArray("\0a\0", 3), "", 0, BE, true);
        row("no mark, as many NULs each way: Notepad's default", QByteArray("\0\0", 2), "", 0, LE,
            true);
    }

    void aUtf16FileIsReadByItsMark() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, badByte);
        QFETCH(int, encoding);
        QFETCH(bool, unmarked);
        const DecodedFile decoded = decodeOperatorFile(bytes.toStdString());
        QCOMPARE(decoded.badByte ? int(*decoded.badByte) : -1, badByte);
        QCOMPARE(QString::fromStdString(decoded.utf8), text);
        QCOMPARE(int(decoded.encoding), encoding);
        QCOMPARE(decoded.unmarkedUtf16, unmarked);
    }

    void aFileIsReadAsUtf8OrElseAsWindows1250() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, badByte);
        const DecodedFile decoded = decodeOperatorFile(bytes.toStdString());
        QCOMPARE(decoded.badByte ? int(*decoded.badByte) : -1, badByte);
        QCOMPARE(QString::fromStdString(decoded.utf8), text);
    }
};

QTEST_APPLESS_MAIN(TestFileEncoding)
#include "test_file_encoding.moc"
