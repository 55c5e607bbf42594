#include "macros/MacroProtocol.h"

#include <QList>

namespace MacroProtocol {

QByteArray productQuery()
{
    return QByteArray("\x05\x15", 2);
}

QByteArray directoryQuery()
{
    return QByteArray("\x05\x17", 2);
}

QByteArray productName(const QByteArray &answer)
{
    const qsizetype length = answer.size();
    if (length <= 10)
        return {};
    // 1-based, as the answer's format is described: "CMD" at i, one separator, the name
    // from i + 4.
    const qsizetype found = answer.indexOf("CMD");
    const qsizetype i = found >= 0 ? found + 1 : length + 1;
    const qsizetype j = i + 4;
    if (j >= length)
        return {};
    return answer.mid(j - 1, 6);
}

bool isCompatible(const QByteArray &name)
{
    return name == "R615DX" || name == "CV4200" || name == "CV4700";
}

bool hasExtendedStore(const QByteArray &name)
{
    return name == "CV4700";
}

QByteArray macroCommand(char letter, const QByteArray &argument)
{
    QByteArray command("\x1B\x1F", 2);
    command += letter;
    command += argument;
    command += '\0';
    return command;
}

QByteArray recordStart()
{
    return QByteArray("\x1B\x67\x01", 3);
}

QByteArray recordEnd(const QByteArray &name)
{
    return QByteArray("\x1B\x67\x02", 3) + macroCommand('m', name);
}

QByteArray nameBytes(const QString &name)
{
    QByteArray bytes;
    for (const char32_t code : name.toUcs4())
        bytes += code <= 0xFF ? char(code) : '?';
    return bytes;
}

QString listingText(const QByteArray &answer)
{
    QString text = QString::fromLatin1(answer.mid(2));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace MacroProtocol
