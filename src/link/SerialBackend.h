#pragma once

#include "link/PortBackend.h"

// A serial line (or pseudo-terminal) reached through QSerialPort.
class SerialBackend : public PortBackend
{
public:
    explicit SerialBackend(QString device);
    ~SerialBackend() override;

    bool open(const QString &mode) override;
    void close() override;
    bool isOpen() const override;
    void setFlowControl(int mode) override;
    qint64 write(const QByteArray &data) override;
    QByteArray read(int count, int firstWaitMs, int gapMs) override;
    void setBreak(bool on) override;
    QString errorText() const override { return m_error; }

private:
    QString m_device;
    QString m_error;
};
