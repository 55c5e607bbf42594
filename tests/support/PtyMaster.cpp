#include "support/PtyMaster.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

int waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    pollfd p{fd, events, 0};
    const int ms = int(qMax<qint64>(0, deadline.remainingTime()));
    return ::poll(&p, 1, ms) > 0 ? p.revents : 0;
}

} // namespace

PtyMaster::PtyMaster()
{
    m_fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0)
        return;
    if (::grantpt(m_fd) != 0 || ::unlockpt(m_fd) != 0) {
        close();
        return;
    }
    termios raw{};
    if (::tcgetattr(m_fd, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(m_fd, TCSANOW, &raw);
    }
    if (const char *name = ::ptsname(m_fd))
        m_path = QString::fromLocal8Bit(name);
}

PtyMaster::~PtyMaster()
{
    close();
}

bool PtyMaster::write(const QByteArray &bytes, int deadlineMs)
{
    const QDeadlineTimer deadline(deadlineMs);
    qsizetype done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (errno == EAGAIN || errno == EINTR) {
            if (deadline.hasExpired())
                return false;
            waitFor(m_fd, POLLOUT, deadline);
        } else {
            return false;
        }
    }
    return done == bytes.size();
}

QByteArray PtyMaster::read(qsizetype count, int deadlineMs)
{
    const QDeadlineTimer deadline(deadlineMs);
    QByteArray got;
    char buffer[4096];
    while (m_fd >= 0 && got.size() < count) {
        const size_t want = size_t(qMin<qsizetype>(sizeof buffer, count - got.size()));
        const ssize_t n = ::read(m_fd, buffer, want);
        if (n > 0) {
            got.append(buffer, n);
            continue;
        }
        // EIO: the device end is closed, so nothing more can come.
        if (n == 0 || (errno != EAGAIN && errno != EINTR) || deadline.hasExpired())
            break;
        waitFor(m_fd, POLLIN, deadline);
    }
    return got;
}

QByteArray PtyMaster::drain()
{
    QByteArray got;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            return got;
        got.append(buffer, n);
    }
}

termios PtyMaster::lineSettings() const
{
    termios t{};
    ::tcgetattr(m_fd, &t);
    return t;
}

void PtyMaster::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
