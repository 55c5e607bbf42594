#include "link/SerialBackend.h"

SerialBackend::SerialBackend(QString device) : m_device(std::move(device)) {}

SerialBackend::~SerialBackend() = default;

bool SerialBackend::open(const QString &)
{
    m_error = QStringLiteral("serial ports are not available yet");
    return false;
}

void SerialBackend::close() {}

bool SerialBackend::isOpen() const
{
    return false;
}

void SerialBackend::setFlowControl(int) {}

qint64 SerialBackend::write(const QByteArray &)
{
    return 0;
}

QByteArray SerialBackend::read(int, int, int)
{
    return {};
}

void SerialBackend::setBreak(bool) {}
