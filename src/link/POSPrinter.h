#pragma once

#include "link/PortBackend.h"
#include "link/PortProvider.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The printer-port control: the operations the terminal calls to reach the printer.
// It never raises errors; a port that did not open refuses writes and reads nothing.
class POSPrinter
{
public:
    explicit POSPrinter(PortProvider &ports) : m_ports(ports) {}

    // Opens Port with the mode text; on an open port, reopens it with the new settings.
    qint16 OpenPort(QString &Port, const QString &Settings);
    qint16 SetFlowControl(qint16 Mode);
    qint16 ClosePort();
    // Writes the first Count bytes of Data; nonzero when the call was accepted.
    qint16 WriteData(const QByteArray &Data, qint64 Count);
    // Bytes the last WriteData handed to the line.
    qint64 BytesWritten() const { return m_bytesWritten; }
    QByteArray ReadData(qint32 Count);
    void SetTimeouts(qint32 WaitMs, qint32 GapMs);
    // The Index-th port as "name<TAB>description"; "" after the last.
    QString PortName(qint32 Index);
    // Action 1 holds the line in break, 2 releases it.
    qint16 SetBreak(qint32 Action, const QString &Pad);

    bool isOpen() const { return m_backend && m_backend->isOpen(); }
    // The port name and reason of the last failed OpenPort; empty after a good one.
    QString lastOpenError() const { return m_openError; }

private:
    PortProvider &m_ports;
    std::unique_ptr<PortBackend> m_backend;
    QString m_backendPort;
    QString m_openError;
    qint64 m_bytesWritten = 0;
    qint32 m_waitMs = 1000;
    qint32 m_gapMs = 100;
    QStringList m_portList;
};
