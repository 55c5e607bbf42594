#include "link/SerialBackend.h"

#include "link/PortSettings.h"

#include <QDeadlineTimer>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace {

QSerialPort::Parity parityFor(char code)
{
    switch (code) {
    case 'E':
        return QSerialPort::EvenParity;
    case 'O':
        return QSerialPort::OddParity;
    case 'M':
        return QSerialPort::MarkParity;
    case 'S':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

int remainingMs(const QDeadlineTimer &deadline)
{
    return int(qMax<qint64>(0, deadline.remainingTime()));
}

} // namespace

SerialBackend::SerialBackend(QString device)
    : m_device(std::move(device))
{
    m_port.setPortName(m_device);
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

SerialBackend::~SerialBackend()
{
    // The error handler must not run into a half-destroyed backend.
    QObject::disconnect(&m_port, nullptr, nullptr, nullptr);
    m_port.close();
}

bool SerialBackend::open(const QString &mode)
{
    if (!parseModeString(mode)) {
        close();
        m_error = QStringLiteral("the line settings \"%1\" cannot be used").arg(mode);
        return false;
    }
    if (!m_port.isOpen()) {
        m_lineErrors = 0;
        m_port.clearError();
        if (!m_port.open(QIODevice::ReadWrite)) {
            m_error = m_port.errorString();
            m_port.clearError();
            return false;
        }
    }
    // An open port is set anew in place, so that nothing already received is lost.
    if (!applyMode(mode)) {
        close();
        return false;
    }
    m_error.clear();
    return true;
}

bool SerialBackend::applyMode(const QString &mode)
{
    const LineMode line = *parseModeString(mode);
    m_configuring = true;
    QStringList refused;
    const auto apply = [&](bool ok, const QString &what) {
        if (!ok)
            refused.append(what + QStringLiteral(" (") + m_port.errorString() + QLatin1Char(')'));
        m_port.clearError();
    };
    apply(m_port.setBaudRate(line.baud), QStringLiteral("baud=%1").arg(line.baud));
    apply(m_port.setDataBits(QSerialPort::DataBits(line.dataBits)),
          QStringLiteral("data=%1").arg(line.dataBits));
    apply(m_port.setParity(parityFor(line.parity)),
          QStringLiteral("parity=%1").arg(QLatin1Char(line.parity)));
    apply(m_port.setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop),
          QStringLiteral("stop=%1").arg(line.stopBits));
    m_configuring = false;
    // A pseudo-terminal has no line to shape: it always carries eight bits without
    // parity, so its refusals do not matter. A real port that refuses a setting would
    // garble every byte, so it does not open.
    if (refused.isEmpty() || isPseudoTerminal())
        return true;
    m_error = QStringLiteral("the device refused ") + refused.join(QStringLiteral(", "));
    return false;
}

bool SerialBackend::isPseudoTerminal() const
{
    const QString path =
        m_device.startsWith(QLatin1Char('/')) ? m_device : QStringLiteral("/dev/") + m_device;
    return path.startsWith(QLatin1String("/dev/pts/"));
}

void SerialBackend::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool SerialBackend::isOpen() const
{
    return m_port.isOpen();
}

void SerialBackend::setFlowControl(int mode)
{
    if (!m_port.isOpen() || mode < 0 || mode > 2)
        return;
    static constexpr QSerialPort::FlowControl modes[] = {
        QSerialPort::NoFlowControl, QSerialPort::SoftwareControl, QSerialPort::HardwareControl};
    // Pseudo-terminals ignore hardware flow control; a refusal leaves the line usable.
    m_configuring = true;
    if (!m_port.setFlowControl(modes[mode]))
        m_error = m_port.errorString();
    m_configuring = false;
    m_port.clearError();
}

qint64 SerialBackend::write(const QByteArray &data)
{
    if (!m_port.isOpen())
        return 0;
    const int fd = m_port.handle();
    const QDeadlineTimer whole(MaxWriteMs);
    QDeadlineTimer stall(StallMs);
    qint64 done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n > 0) {
            done += n;
            stall.setRemainingTime(StallMs);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            hangUp(QString::fromLocal8Bit(std::strerror(errno)));
            break;
        }
        // The line is stalled (flow control held, buffer full): wait for room, but
        // report what was taken rather than hang.
        const int wait = qMin(remainingMs(stall), remainingMs(whole));
        if (wait <= 0)
            break;
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, wait);
        if (ready < 0 && errno != EINTR) {
            hangUp(QString::fromLocal8Bit(std::strerror(errno)));
            break;
        }
        if (ready > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLOUT)) {
            hangUp(QStringLiteral("the line hung up"));
            break;
        }
    }
    return done;
}

QByteArray SerialBackend::read(int count, int firstWaitMs, int gapMs)
{
    QByteArray got;
    if (!m_port.isOpen() || count <= 0)
        return got;
    QDeadlineTimer deadline(qMax(0, firstWaitMs));
    for (;;) {
        got += m_port.read(count - got.size());
        if (got.size() >= count || !m_port.isOpen())
            break;
        // Asked even when the wait is over: bytes the device holds reach the buffer only
        // through a wait.
        const bool arrived = m_port.waitForReadyRead(remainingMs(deadline));
        if (!m_port.isOpen())
            break;
        if (arrived) {
            got += m_port.read(count - got.size());
            if (!got.isEmpty())
                deadline.setRemainingTime(qMax(0, gapMs));
        } else if (deadline.hasExpired()) {
            break;
        }
    }
    return got;
}

void SerialBackend::setBreak(bool on)
{
    if (!m_port.isOpen())
        return;
    m_configuring = true;
    m_port.setBreakEnabled(on);
    m_configuring = false;
    m_port.clearError();
}

void SerialBackend::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || m_configuring)
        return;
    // Once closed, a gone device stops reporting; left open it would report without end.
    if (m_port.isOpen())
        hangUp(m_port.errorString());
}

void SerialBackend::hangUp(const QString &reason)
{
    ++m_lineErrors;
    m_error = reason;
    m_port.close();
}
