#pragma once

#include <QByteArray>
#include <QString>

// One way of reaching a printer: a serial line, the built-in virtual printer, or nothing.
// The printer-port control chooses a backend by port name and forwards its operations.
// No operation blocks longer than the waits it is given.
class PortBackend
{
public:
    virtual ~PortBackend() = default;

    // Opens (or reopens) with a mode text; false when the port cannot be used.
    virtual bool open(const QString &mode) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // 0 none, 1 Xon/Xoff, 2 hardware.
    virtual void setFlowControl(int mode) = 0;
    // Writes from the start of data; returns how many bytes the line took (0 when refused).
    virtual qint64 write(const QByteArray &data) = 0;
    // Up to count bytes: waits at most firstWaitMs for the first, then gapMs for each next.
    virtual QByteArray read(int count, int firstWaitMs, int gapMs) = 0;
    virtual void setBreak(bool on) = 0;
    // Why the last open failed, for the command-line tool's diagnostics.
    virtual QString errorText() const { return {}; }
};
