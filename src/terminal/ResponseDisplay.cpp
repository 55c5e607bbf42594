#include "terminal/ResponseDisplay.h"

#include "terminal/CommandEncoding.h"
#include "terminal/Terminal.h"

namespace {

QString renderByte(quint8 byte, DisplayMode mode)
{
    switch (mode) {
    case DisplayMode::Hex:
        return QLatin1Char('<') + QString::number(byte, 16).toUpper() + QLatin1Char('>');
    case DisplayMode::Dec:
        return QLatin1Char('<') + QString::number(byte) + QLatin1Char('>');
    case DisplayMode::Normal:
        break;
    }
    if (byte == '\n')
        return QStringLiteral("\r\n");
    if (byte == '\r')
        return {};
    if (byte < 32)
        return QString::fromLatin1(ControlMnemonics()[byte]);
    if (byte > 127)
        return QLatin1Char('<') + QString::number(byte) + QLatin1Char('>');
    return QString(QChar(byte));
}

// Every rendering made once: a long answer then costs no allocation per byte.
struct RenderTable
{
    RenderTable()
    {
        const DisplayMode modes[] = {DisplayMode::Hex, DisplayMode::Dec, DisplayMode::Normal};
        for (int m = 0; m < 3; ++m)
            for (int b = 0; b < 256; ++b)
                texts[m][b] = renderByte(quint8(b), modes[m]);
    }
    QString texts[3][256];
};

} // namespace

QString receivedByteText(quint8 byte, DisplayMode mode)
{
    static const RenderTable table;
    const int m = mode == DisplayMode::Hex ? 0 : mode == DisplayMode::Dec ? 1 : 2;
    return table.texts[m][byte];
}

QString statusMessage(QByteArrayView answer)
{
    struct Item
    {
        quint8 code;
        const char *nak;
        const char *ack;
    };
    static constexpr Item items[] = {
        {0x01, "**Cash Drawer 1 Open**", "**Cash Drawer 1 Closed**"},
        {0x02, "**Cash Drawer 2 Open**", "**Cash Drawer 2 Closed**"},
        {0x03, "**Receipt Paper is Low**", "**Receipt Paper is not Low**"},
        {0x04, "**Receipt Paper is Out**", "**Receipt Paper is Present**"},
        {0x08, "**Cover is Open**", "**Cover is Closed**"},
        {0x09, "**Buffer is Not Empty**", "**Buffer is Empty**"},
        {0x0A, "**Reset Rejected**", "**Reset Accepted**"},
        {0x0B, "**Printer has not power cycled**", "**Printer has power cycled**"},
    };
    if (answer.size() < 2)
        return {};
    const auto kind = static_cast<quint8>(answer.at(0));
    const auto code = static_cast<quint8>(answer.at(1));
    if (kind != 0x15 && kind != 0x06)
        return {};
    for (const Item &item : items) {
        if (item.code == code)
            return QString::fromLatin1(kind == 0x15 ? item.nak : item.ack);
    }
    return {};
}
