#include "cli/ReportingPorts.h"

namespace {

// Forwards everything to the real backend and tells its provider when an open fails.
class ReportingBackend : public PortBackend
{
public:
    ReportingBackend(ReportingPorts &owner, std::unique_ptr<PortBackend> backend, QString name)
        : m_owner(owner)
        , m_backend(std::move(backend))
        , m_name(std::move(name))
    {
    }

    bool open(const QString &mode) override
    {
        const bool ok = m_backend->open(mode);
        if (!ok)
            m_owner.openFailed(m_name, m_backend->errorText());
        return ok;
    }
    void close() override { m_backend->close(); }
    bool isOpen() const override { return m_backend->isOpen(); }
    void setFlowControl(int mode) override { m_backend->setFlowControl(mode); }
    qint64 write(const QByteArray &data) override { return m_backend->write(data); }
    QByteArray read(int count, int firstWaitMs, int gapMs) override
    {
        return m_backend->read(count, firstWaitMs, gapMs);
    }
    void setBreak(bool on) override { m_backend->setBreak(on); }
    QString errorText() const override { return m_backend->errorText(); }

private:
    ReportingPorts &m_owner;
    std::unique_ptr<PortBackend> m_backend;
    QString m_name;
};

} // namespace

std::unique_ptr<PortBackend> ReportingPorts::create(const QString &portName)
{
    return std::make_unique<ReportingBackend>(*this, m_ports.create(portName), portName);
}

void ReportingPorts::openFailed(const QString &portName, const QString &reason)
{
    if (m_reported || !m_report)
        return;
    m_reported = true;
    m_report(
        QStringLiteral("corvane-cli: cannot open port \"%1\": %2")
            .arg(portName, reason.isEmpty() ? QStringLiteral("it could not be opened") : reason));
}
