#pragma once

#include "link/PortProvider.h"

#include <functional>

// Hands out another provider's backends and reports the first port that fails to open,
// with its reason, so that a job's log says why the printer did not answer.
class ReportingPorts : public PortProvider
{
public:
    ReportingPorts(PortProvider &ports, std::function<void(const QString &)> report)
        : m_ports(ports)
        , m_report(std::move(report))
    {
    }

    std::unique_ptr<PortBackend> create(const QString &portName) override;
    QStringList ports() override { return m_ports.ports(); }

    // Called by the backends it hands out; reports only the first failure.
    void openFailed(const QString &portName, const QString &reason);

private:
    PortProvider &m_ports;
    std::function<void(const QString &)> m_report;
    bool m_reported = false;
};
