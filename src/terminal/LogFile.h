#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The communications log: raw bytes appended at the end, written unbuffered as each text
// reaches the transcript. Opening never truncates. Every error text names the file.
class LogFile
{
public:
    // The outcome of a write: how many bytes reached the file, and the error that stopped
    // it short.
    struct Written
    {
        qsizetype bytes = 0;
        std::optional<QString> error;
    };

    LogFile() = default;
    ~LogFile();
    LogFile(const LogFile &) = delete;
    LogFile &operator=(const LogFile &) = delete;

    // Opens for appending, creating the file when needed; the error text on failure.
    std::optional<QString> open(const QString &path);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    // Hands the bytes to the file system at once; a short write reports its error.
    Written write(QByteArrayView bytes);

    // Whether a file of that name exists; the error text when the test itself fails (a
    // folder in the path that is a file, a folder that may not be searched, ...).
    static std::optional<QString> exists(const QString &path, bool &found);
    // Deletes the file; the error text on failure.
    static std::optional<QString> remove(const QString &path);

private:
    int m_fd = -1;
    QString m_path;
};
