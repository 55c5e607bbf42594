#pragma once

#include "link/PortBackend.h"

class SimLine;

// The port "SIM": the program's built-in virtual printer, which answers at once.
class SimBackend : public PortBackend
{
public:
    explicit SimBackend(SimLine &line)
        : m_line(line)
    {
    }

    bool open(const QString &mode) override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void setFlowControl(int) override {}
    qint64 write(const QByteArray &data) override;
    QByteArray read(int count, int firstWaitMs, int gapMs) override;
    void setBreak(bool) override {}

private:
    SimLine &m_line;
    bool m_open = false;
};
