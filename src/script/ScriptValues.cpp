#include "script/ScriptValues.h"

#include "terminal/CommandEncoding.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c, int base)
{
    if (base == 8)
        return c >= '0' && c <= '7';
    if (base == 16)
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return c >= '0' && c <= '9';
}

// Skips a run of digits; returns how many there were.
qsizetype skipDigits(QByteArrayView s, qsizetype &i, int base)
{
    const qsizetype from = i;
    while (i < s.size() && isDigit(s.at(i), base))
        ++i;
    return i - from;
}

// True when s is exactly one numeric literal: &H or &O digits, or a sign, digits with at
// most one decimal point, and an optional E or D exponent.
bool isNumberLiteral(QByteArrayView s)
{
    qsizetype i = 0;
    if (s.size() >= 2 && s.at(0) == '&') {
        const char kind = static_cast<char>(s.at(1) | 0x20);
        const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
        i = 2;
        return base != 0 && skipDigits(s, i, base) > 0 && i == s.size();
    }
    if (i < s.size() && (s.at(i) == '+' || s.at(i) == '-'))
        ++i;
    qsizetype digits = skipDigits(s, i, 10);
    if (i < s.size() && s.at(i) == '.') {
        ++i;
        digits += skipDigits(s, i, 10);
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s.at(i) == 'e' || s.at(i) == 'E' || s.at(i) == 'd' || s.at(i) == 'D')) {
        ++i;
        if (i < s.size() && (s.at(i) == '+' || s.at(i) == '-'))
            ++i;
        if (skipDigits(s, i, 10) == 0)
            return false;
    }
    return i == s.size();
}

} // namespace

namespace ScriptValues {

std::optional<qint16> numberValue(QByteArrayView argument)
{
    return roundToInt16(readNumericText(argument));
}

std::optional<qint16> integerValue(QByteArrayView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text.at(from)))
        ++from;
    while (to > from && isBlank(text.at(to - 1)))
        --to;
    const QByteArrayView literal = text.sliced(from, to - from);
    if (!isNumberLiteral(literal))
        return std::nullopt;
    return roundToInt16(readNumericText(literal));
}

QByteArray dateText(const QDate &date, const QLocale &locale)
{
    return toLatin1Bytes(locale.toString(date, QLocale::ShortFormat));
}

QByteArray timeText(const QTime &time, const QLocale &locale)
{
    // The separator is whatever the locale's short time format puts between the hour and
    // the minute fields.
    QString separator = QStringLiteral(":");
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    qsizetype hour = 0;
    while (hour < format.size() && format.at(hour) != u'h' && format.at(hour) != u'H')
        ++hour;
    if (hour < format.size()) {
        qsizetype from = hour;
        while (from < format.size() && (format.at(from) == u'h' || format.at(from) == u'H'))
            ++from;
        const qsizetype minute = format.indexOf(u'm', from);
        if (minute > from)
            separator = format.mid(from, minute - from).remove(u'\'');
    }
    const QString text = QStringLiteral("%1%2%3")
                             .arg(time.hour(), 2, 10, QLatin1Char('0'))
                             .arg(separator)
                             .arg(time.minute(), 2, 10, QLatin1Char('0'));
    return toLatin1Bytes(text);
}

} // namespace ScriptValues
