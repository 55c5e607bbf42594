#include "terminal/CommandEncoding.h"

#include <cmath>

const std::array<QByteArray, 32> &ControlMnemonics()
{
    static const std::array<QByteArray, 32> names = {
        "[NUL]", "[SOH]", "[STX]", "[ETX]", "[EOT]", "[ENQ]", "[ACK]", "[BEL]",
        "[BS]",  "[HT]",  "[LF]",  "[VT]",  "[FF]",  "[CR]",  "[SO]",  "[SI]",
        "[DLE]", "[DC1]", "[DC2]", "[DC3]", "[DC4]", "[NAK]", "[SYN]", "[ETB]",
        "[CAN]", "[EM]",  "[SUB]", "[ESC]", "[FS]",  "[GS]",  "[RS]",  "[US]"};
    return names;
}

namespace {

bool isIgnorable(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

int digitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v >= 0 && v < base ? v : -1;
}

// Hex and octal literals are 16-bit (or 32-bit when long) two's-complement values.
double radixValue(const QByteArray &digits, int base)
{
    double value = 0;
    for (char c : digits) {
        const int d = digitValue(c, base);
        if (d < 0)
            break;
        value = value * base + d;
    }
    if (value > 4294967295.0)
        return HUGE_VAL;
    if (value <= 65535.0 && value > 32767.0)
        return value - 65536.0;
    if (value > 65535.0 && value > 2147483647.0)
        return value - 4294967296.0;
    return value;
}

} // namespace

double readNumericText(QByteArrayView text)
{
    QByteArray s;
    s.reserve(text.size());
    for (char c : text)
        if (!isIgnorable(c))
            s.append(c);

    if (s.size() >= 2 && s.at(0) == '&') {
        const char kind = static_cast<char>(s.at(1) | 0x20);
        if (kind == 'h')
            return radixValue(s.mid(2), 16);
        if (kind == 'o')
            return radixValue(s.mid(2), 8);
        return 0;
    }

    qsizetype i = 0;
    QByteArray number;
    if (i < s.size() && (s.at(i) == '+' || s.at(i) == '-'))
        number.append(s.at(i++));
    bool digits = false;
    while (i < s.size() && s.at(i) >= '0' && s.at(i) <= '9') {
        number.append(s.at(i++));
        digits = true;
    }
    if (i < s.size() && s.at(i) == '.') {
        number.append(s.at(i++));
        while (i < s.size() && s.at(i) >= '0' && s.at(i) <= '9') {
            number.append(s.at(i++));
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s.at(i) == 'e' || s.at(i) == 'E' || s.at(i) == 'd' || s.at(i) == 'D')) {
        QByteArray exponent = "e";
        qsizetype j = i + 1;
        if (j < s.size() && (s.at(j) == '+' || s.at(j) == '-'))
            exponent.append(s.at(j++));
        bool expDigits = false;
        while (j < s.size() && s.at(j) >= '0' && s.at(j) <= '9') {
            exponent.append(s.at(j++));
            expDigits = true;
        }
        if (expDigits)
            number.append(exponent);
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        return number.startsWith('-') ? -HUGE_VAL : HUGE_VAL; // overflowed the double range
    return value;
}

std::optional<qint16> roundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<Token> readNumberGroup(QByteArrayView text)
{
    if (text.isEmpty() || text.at(0) != '<')
        return std::nullopt;
    QByteArray group;
    bool hex = false;
    for (qsizetype pos = 1; pos <= 5 && pos < text.size(); ++pos) {
        const char c = text.at(pos);
        if (c == '>') {
            if (hex)
                group.prepend("&H");
            const double value = std::nearbyint(readNumericText(group));
            Token token;
            token.length = pos + 1;
            // Negative and huge values get the same answer as values above 255.
            if (!std::isfinite(value) || value < 0 || value > 255)
                token.outOfRange = true;
            else
                token.byte = static_cast<char>(static_cast<unsigned char>(value));
            return token;
        }
        if (c == 'x' || c == 'X')
            hex = true;
        else
            group.append(c);
    }
    return std::nullopt;
}

std::optional<Token> readMnemonic(QByteArrayView text)
{
    if (text.isEmpty() || text.at(0) != '[')
        return std::nullopt;
    for (qsizetype pos = 1; pos <= 4 && pos < text.size(); ++pos) {
        if (text.at(pos) != ']')
            continue;
        const QByteArray name = text.first(pos + 1).toByteArray().toUpper();
        const auto &names = ControlMnemonics();
        for (int code = 0; code < 32; ++code) {
            if (names[code] == name) {
                Token token;
                token.byte = static_cast<char>(code);
                token.length = pos + 1;
                return token;
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

Token Next_Token(QByteArray &remaining)
{
    Token token;
    token.byte = remaining.isEmpty() ? '\0' : remaining.at(0);
    if (auto group = readNumberGroup(remaining)) {
        token = *group;
    } else if (auto mnemonic = readMnemonic(remaining)) {
        token = *mnemonic;
    } else if (token.byte == '\\' && remaining.size() >= 2) {
        token.byte = remaining.at(1);
        token.length = 2;
    }
    remaining.remove(0, qMin(token.length, remaining.size()));
    if (remaining.size() > 255)
        remaining.truncate(255);
    return token;
}

QString sentByteEcho(quint8 byte)
{
    if (byte < 32)
        return QString::fromLatin1(ControlMnemonics()[byte]);
    // The blank stands where a sign would go: the echo has always shown it.
    if (byte > 127)
        return QStringLiteral("< ") + QString::number(byte) + QLatin1Char('>');
    return QString(QChar(byte));
}

QByteArray toLatin1Bytes(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() <= 0xFF) {
            bytes.append(static_cast<char>(c.unicode()));
            continue;
        }
        bytes.append('?');
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return bytes;
}
