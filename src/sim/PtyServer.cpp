#include "sim/PtyServer.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

PtyServer::PtyServer(QObject *parent)
    : QObject(parent)
{
}

PtyServer::~PtyServer()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyServer::open()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_error = QStringLiteral("cannot create a pseudo-terminal: ") +
                  QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_path = QString::fromLocal8Bit(::ptsname(m_master));
    // Holding the device open ourselves means the master never sees a hang-up when the far
    // end closes it, and the line keeps its settings and unread answers until it reopens.
    m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &mode) != 0) {
        m_error = QStringLiteral("cannot open %1: %2")
                      .arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Raw, so that no echo or line editing touches the bytes. Serial-port libraries restore
    // the mode they found when they close, so the line stays raw between operations.
    ::cfmakeraw(&mode);
    mode.c_cflag |= CLOCAL | CREAD;
    ::tcsetattr(m_slave, TCSANOW, &mode);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyServer::readMaster);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyServer::writePending);

    // A serial-port library claims the device exclusively while it has it open and gives it
    // up when it closes; a program killed meanwhile never does, and since we hold the device
    // open the claim would outlive it and lock every later program out. Lock files already
    // keep two serial-port programs apart, so the claim is lifted regularly.
    m_exclusiveTimer = new QTimer(this);
    connect(m_exclusiveTimer, &QTimer::timeout, this, [this] { ::ioctl(m_slave, TIOCNXCL); });
    m_exclusiveTimer->start(1000);
    return true;
}

void PtyServer::send(const QByteArray &bytes)
{
    if (m_master < 0 || bytes.isEmpty())
        return;
    m_pending += bytes;
    if (!m_writeNotifier->isEnabled())
        writePending();
}

void PtyServer::readMaster()
{
    char buffer[4096];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n > 0)
        Q_EMIT received(QByteArray(buffer, qsizetype(n)));
    else if (n < 0 && errno != EAGAIN && errno != EINTR)
        fail(QStringLiteral("reading"));
}

// Answers go out in one write each; only when the line's buffer is full (a far end that
// reads nothing) does the rest wait until it has room.
void PtyServer::writePending()
{
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), size_t(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, qsizetype(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            fail(QStringLiteral("writing"));
            return;
        }
        break;
    }
    m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

void PtyServer::fail(const QString &what)
{
    const QString reason = QStringLiteral("%1 %2 failed: %3")
                               .arg(what, m_path, QString::fromLocal8Bit(std::strerror(errno)));
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    m_pending.clear();
    Q_EMIT failed(reason);
}
