#include "link/POSPrinter.h"

qint16 POSPrinter::OpenPort(QString &Port, const QString &Settings)
{
    if (!m_backend || m_backendPort != Port) {
        if (m_backend)
            m_backend->close();
        m_backend = m_ports.create(Port);
        m_backendPort = Port;
    }
    const bool ok = m_backend->open(Settings);
    m_openError = ok ? QString() : Port + QStringLiteral(": ") + m_backend->errorText();
    return ok ? 1 : 0;
}

qint16 POSPrinter::SetFlowControl(qint16 Mode)
{
    if (!isOpen())
        return 0;
    m_backend->setFlowControl(Mode);
    return 1;
}

qint16 POSPrinter::ClosePort()
{
    if (m_backend)
        m_backend->close();
    return 1;
}

qint16 POSPrinter::WriteData(const QByteArray &Data, qint64 Count)
{
    m_bytesWritten = 0;
    if (!isOpen() || Count < 0)
        return 0;
    const QByteArray chunk = Count >= Data.size() ? Data : Data.left(Count);
    if (chunk.isEmpty())
        return 1;
    m_bytesWritten = qMax<qint64>(0, m_backend->write(chunk));
    return m_bytesWritten > 0 ? 1 : 0;
}

QByteArray POSPrinter::ReadData(qint32 Count)
{
    if (!isOpen() || Count <= 0)
        return {};
    return m_backend->read(Count, m_waitMs, m_gapMs);
}

void POSPrinter::SetTimeouts(qint32 WaitMs, qint32 GapMs)
{
    m_waitMs = qMax(0, WaitMs);
    m_gapMs = qMax(0, GapMs);
}

QString POSPrinter::PortName(qint32 Index)
{
    // The list is taken afresh at index 0 so that one pass sees one consistent list.
    if (Index == 0)
        m_portList = m_ports.ports();
    if (Index < 0 || Index >= m_portList.size())
        return {};
    return m_portList.at(Index);
}

qint16 POSPrinter::SetBreak(qint32 Action, const QString &)
{
    if (!isOpen() || (Action != 1 && Action != 2))
        return 0;
    m_backend->setBreak(Action == 1);
    return 1;
}
