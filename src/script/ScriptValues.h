#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QLocale>

#include <optional>

// The values script commands read from their arguments and the texts they insert.
namespace ScriptValues {

// The leading number of an argument, read as number groups are read and rounded halves to
// even; a text without a number is 0; nullopt outside -32768 to 32767.
std::optional<qint16> numberValue(QByteArrayView argument);

// The whole text as one number, blanks around it allowed, rounded halves to even; nullopt
// when it is not a number or lies outside -32768 to 32767.
std::optional<qint16> integerValue(QByteArrayView text);

// The date in the locale's short format.
QByteArray dateText(const QDate &date, const QLocale &locale);
// 24-hour hours and minutes joined by the locale's time separator, as in 17:45.
QByteArray timeText(const QTime &time, const QLocale &locale);

} // namespace ScriptValues
