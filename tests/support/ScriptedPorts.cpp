#include "support/ScriptedPorts.h"

namespace {

class ScriptedBackend : public PortBackend
{
public:
    explicit ScriptedBackend(ScriptedLine &line) : m_line(line) {}

    bool open(const QString &mode) override
    {
        m_line.calls.append(QStringLiteral("open ") + mode);
        ++m_line.opens;
        m_line.open = m_line.canOpen;
        return m_line.open;
    }
    void close() override
    {
        m_line.calls.append(QStringLiteral("close"));
        ++m_line.closes;
        m_line.open = false;
    }
    bool isOpen() const override { return m_line.open; }
    void setFlowControl(int mode) override
    {
        m_line.calls.append(QStringLiteral("flow %1").arg(mode));
    }
    qint64 write(const QByteArray &data) override
    {
        const qint64 taken = m_line.acceptPerWrite < 0 ? data.size()
                                                       : qMin<qint64>(m_line.acceptPerWrite,
                                                                      data.size());
        m_line.calls.append(QStringLiteral("write ") + QString::fromLatin1(data.toHex()));
        const QByteArray bytes = data.left(taken);
        m_line.received += bytes;
        if (taken > 0)
            m_line.writes.append(bytes);
        if (m_line.onWrite)
            m_line.onWrite(bytes);
        return taken;
    }
    QByteArray read(int count, int firstWaitMs, int gapMs) override
    {
        m_line.calls.append(QStringLiteral("read %1 %2 %3").arg(count).arg(firstWaitMs).arg(gapMs));
        if (m_line.pending.isEmpty() && m_line.onEmptyRead)
            m_line.onEmptyRead();
        const QByteArray part = m_line.pending.left(count);
        m_line.pending.remove(0, part.size());
        return part;
    }
    void setBreak(bool on) override
    {
        m_line.calls.append(on ? QStringLiteral("break on") : QStringLiteral("break off"));
    }
    QString errorText() const override { return QStringLiteral("refused by the test"); }

private:
    ScriptedLine &m_line;
};

} // namespace

std::unique_ptr<PortBackend> ScriptedPorts::create(const QString &portName)
{
    createdFor.append(portName);
    return std::make_unique<ScriptedBackend>(line);
}
