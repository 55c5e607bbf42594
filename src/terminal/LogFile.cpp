#include "terminal/LogFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errorText(const QString &path, int error)
{
    return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

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
        return errorText(path, errno);
    m_fd = fd;
    m_path = path;
    return std::nullopt;
}

void LogFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

LogFile::Written LogFile::write(QByteArrayView bytes)
{
    Written result;
    if (m_fd < 0) {
        result.error = QStringLiteral("The log file is not open");
        return result;
    }
    while (result.bytes < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + result.bytes, bytes.size() - result.bytes);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.error = errorText(m_path, errno);
            return result;
        }
        result.bytes += n;
    }
    return result;
}

std::optional<QString> LogFile::exists(const QString &path, bool &found)
{
    found = false;
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) == 0) {
        found = true;
        return std::nullopt;
    }
    if (errno == ENOENT)
        return std::nullopt;
    return errorText(path, errno);
}

std::optional<QString> LogFile::remove(const QString &path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        return errorText(path, errno);
    return std::nullopt;
}
