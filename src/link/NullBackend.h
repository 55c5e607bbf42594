#pragma once

#include "link/PortBackend.h"

// A port name that opens nothing ("None", a missing device): refuses writes, reads nothing.
class NullBackend : public PortBackend
{
public:
    explicit NullBackend(QString reason = {}) : m_reason(std::move(reason)) {}

    bool open(const QString &) override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    void setFlowControl(int) override {}
    qint64 write(const QByteArray &) override { return 0; }
    QByteArray read(int, int, int) override { return {}; }
    void setBreak(bool) override {}
    QString errorText() const override { return m_reason; }

private:
    QString m_reason;
};
