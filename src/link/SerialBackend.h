#pragma once

#include "link/PortBackend.h"

#include <QSerialPort>

// A serial line (or pseudo-terminal) reached through QSerialPort. Reads go through the
// port's buffer; writes go straight to the device so that the count they report is what
// the line really took. A hang-up closes the port at once; it stays closed until reopened.
class SerialBackend : public PortBackend
{
public:
    // A write gives up after this long without progress, and after MaxWriteMs in all.
    static constexpr int StallMs = 100;
    static constexpr int MaxWriteMs = 1000;

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

    QString device() const { return m_device; }
    // Port errors that closed the line since the last open; a hang-up counts once.
    int lineErrors() const { return m_lineErrors; }

private:
    void onError(QSerialPort::SerialPortError error);
    void hangUp(const QString &reason);
    bool applyMode(const QString &mode);
    bool isPseudoTerminal() const;

    QString m_device;
    QString m_error;
    QSerialPort m_port;
    int m_lineErrors = 0;
    // Set while settings are applied: a setting the device refuses is reported by the
    // setter's result, not taken for a broken line.
    bool m_configuring = false;
};
