#include "link/PortSettings.h"

#include <QStringList>

QString PortSettings::ModeString() const
{
    return QStringLiteral("baud=") + BaudRate + QStringLiteral(" parity=") + Parity
           + QStringLiteral(" data=") + Bits + QStringLiteral(" stop=") + StopBits;
}

std::optional<LineMode> parseModeString(const QString &mode)
{
    LineMode result;
    const QStringList words = mode.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        const qsizetype eq = word.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = word.left(eq).toLower();
        const QString value = word.mid(eq + 1);
        bool ok = true;
        if (key == QLatin1String("baud")) {
            result.baud = value.toInt(&ok);
            ok = ok && result.baud > 0;
        } else if (key == QLatin1String("parity")) {
            const QString p = value.toUpper();
            ok = p.size() == 1 && QStringLiteral("NEOMS").contains(p);
            if (ok)
                result.parity = p.at(0).toLatin1();
        } else if (key == QLatin1String("data")) {
            result.dataBits = value.toInt(&ok);
            ok = ok && result.dataBits >= 5 && result.dataBits <= 8;
        } else if (key == QLatin1String("stop")) {
            result.stopBits = value.toInt(&ok);
            ok = ok && (result.stopBits == 1 || result.stopBits == 2);
        }
        if (!ok)
            return std::nullopt;
    }
    return result;
}
