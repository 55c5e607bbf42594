#include "terminal/LogFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

LogFile::~LogFile()
{
    close();
}

std::optional<QString> LogFile::open(const QString &path)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    m_fd = fd;
    return std::nullopt;
}

void LogFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::optional<QString> LogFile::write(const QString &text)
{
    if (m_fd < 0)
        return QStringLiteral("The log file is not open");
    const QByteArray bytes = text.toLatin1();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return QString::fromLocal8Bit(std::strerror(errno));
        }
        done += n;
    }
    return std::nullopt;
}
