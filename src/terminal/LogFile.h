#pragma once

#include <QString>

#include <optional>

// The communications log: raw bytes appended at the end, written unbuffered as each text
// reaches the transcript. Opening never truncates.
class LogFile
{
public:
    LogFile() = default;
    ~LogFile();
    LogFile(const LogFile &) = delete;
    LogFile &operator=(const LogFile &) = delete;

    // Opens for appending, creating the file when needed; the error text on failure.
    std::optional<QString> open(const QString &path);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    // Writes every character as one byte (Latin-1); the error text on failure.
    std::optional<QString> write(const QString &text);

private:
    int m_fd = -1;
};
