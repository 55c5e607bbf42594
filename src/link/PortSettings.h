#pragma once

#include <QString>

#include <optional>

// The program-wide line settings and the mode text built from them when the port opens.
struct PortSettings
{
    QString IOPort = QStringLiteral("None");
    QString BaudRate = QStringLiteral("19200");
    QString Parity = QStringLiteral("N");
    QString Bits = QStringLiteral("8");
    QString StopBits = QStringLiteral("1");
    qint16 Flow = 2; // 0 none, 1 Xon/Xoff, 2 hardware

    QString ModeString() const;
};

// A mode text ("baud=19200 parity=N data=8 stop=1") read back into line values.
struct LineMode
{
    qint32 baud = 19200;
    char parity = 'N'; // N, E, O, M or S
    int dataBits = 8;
    int stopBits = 1;
};

// Reads the keywords it knows and keeps the defaults for the rest; nullopt when a value
// is present but unusable (a rate that is not a number, parity "X", 9 data bits, ...).
std::optional<LineMode> parseModeString(const QString &mode);
