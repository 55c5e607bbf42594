#include "terminal/CommandEncoding.h"

#include <QTest>

// The command escape syntax, token by token, and the cut of long lines.
class tst_CommandEncoding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encodesLikeThePrinterTools_data();
    void encodesLikeThePrinterTools();
    void typedTextBecomesLatin1_data();
    void typedTextBecomesLatin1();
};

namespace {

struct Encoded
{
    QByteArray bytes;
    int outOfRange = 0;
};

// Encodes a whole line as Send Command does: a refused group sends 0.
Encoded encode(QByteArray remaining)
{
    Encoded result;
    while (!remaining.isEmpty()) {
        const Token token = Next_Token(remaining);
        result.bytes.append(token.outOfRange ? '\0' : token.byte);
        result.outOfRange += token.outOfRange ? 1 : 0;
    }
    return result;
}

} // namespace

void tst_CommandEncoding::encodesLikeThePrinterTools_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<int>("refused");

    const auto row = [](const char *name, const QByteArray &text, const char *hex,
                        int refused = 0) {
        QTest::newRow(name) << text << QByteArray(hex) << refused;
    };
    row("decimal", "<27>", "1b");
    row("x in front", "<x1B>", "1b");
    row("x behind", "<1Bx>", "1b");
    row("0x prefix", "<0x1B>", "1b");
    row("&H prefix", "<&H1B>", "1b");
    row("&O prefix", "<&O17>", "0f");
    row("blanks around", "< 27 >", "1b");
    row("blank inside", "<2 7>", "1b");
    row("tab inside", "<2\t7>", "1b");
    row("mnemonic", "[ESC]", "1b");
    row("mnemonic lower case", "[esc]", "1b");
    row("mnemonic mixed case", "[Esc]", "1b");
    row("two-letter mnemonic", "[US]", "1f");
    row("decimal stops at a letter", "<1B>", "01");
    row("empty group", "<>", "00");
    row("x alone", "<x>", "00");
    row("a name in a group is no number", "<ESC>", "00");
    row("half rounds down to even", "<2.5>", "02");
    row("half rounds up to even", "<3.5>", "04");
    row("a lone half rounds to zero", "<.5>", "00");
    row("exponent E", "<1E2>", "64");
    row("exponent D", "<1D2>", "64");
    row("plus sign", "<+5>", "05");
    row("largest", "<255>", "ff");
    row("one too large", "<256>", "00", 1);
    row("hex too large", "<xFFF>", "00", 1);
    row("negative", "<-5>", "00", 1);
    row("huge exponent", "<1E9>", "00", 1);
    row("rounds to zero from below", "<-0.4>", "00");
    row("refused group, line goes on", "A<300>B", "410042", 1);
    row("five characters inside", "<00027>", "3c30303032373e");
    row("group cut by the end", "<12", "3c3132");
    row("empty brackets", "[]", "5b5d");
    row("unknown name", "[XYZ]", "5b58595a5d");
    row("name too long", "[ESCAPE]", "5b4553434150455d");
    row("no name for DEL", "[DEL]", "5b44454c5d");
    row("escaped group", "\\<27>", "3c32373e");
    row("escaped backslash", "\\\\", "5c");
    row("trailing backslash", "A\\", "415c");
    row("escaped letter", "\\n", "6e");
    row("bytes in a row", "A<13><10>", "410d0a");
    row("mixed syntax", "[ESC]a<1>Hi<10>", "1b610148690a");
    row("mixed syntax, decimal", "<27>a<x01>Hi[LF]", "1b610148690a");
    row("mixed syntax, hex", "<x1B>a[SOH]Hi<xA>", "1b610148690a");
    row("Latin-1 byte", "\xe9", "e9");

    // Every token cuts what remains to 255 characters.
    const QByteArray plain300(300, 'a');
    QTest::newRow("300 plain characters: the first 256")
        << plain300 << QByteArray(256, 'a').toHex() << 0;
    QTest::newRow("a group, then 300 characters: the group and 255")
        << QByteArray("<27>") + plain300 << QByteArray("\x1b" + QByteArray(255, 'a')).toHex() << 0;
    QTest::newRow("the cut splits a group at the end")
        << QByteArray("<27>") + QByteArray(253, 'a') + "<27>"
        << QByteArray("\x1b" + QByteArray(253, 'a') + "<2").toHex() << 0;
}

void tst_CommandEncoding::encodesLikeThePrinterTools()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, hex);
    QFETCH(int, refused);
    const Encoded encoded = encode(text);
    QCOMPARE(encoded.bytes.toHex(), hex);
    QCOMPARE(encoded.outOfRange, refused);
}

void tst_CommandEncoding::typedTextBecomesLatin1_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ASCII") << QStringLiteral("A[ESC]") << QByteArray("A[ESC]");
    QTest::newRow("Latin-1 letter") << QStringLiteral("caf\u00e9") << QByteArray("caf\xe9");
    QTest::newRow("euro sign") << QStringLiteral("5\u20ac") << QByteArray("5?");
    QTest::newRow("surrogate pair is one character")
        << QString::fromUtf8("a\xf0\x9f\x98\x80z") << QByteArray("a?z");
}

void tst_CommandEncoding::typedTextBecomesLatin1()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toLatin1Bytes(text), bytes);
}

QTEST_GUILESS_MAIN(tst_CommandEncoding)
#include "tst_commandencoding.moc"
