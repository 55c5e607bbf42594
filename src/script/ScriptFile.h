#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

// A script or print file read strictly in sequence: whole lines for the interpreter, blocks
// of bytes for raw mode. Remembers whether a read has met the end of the file.
class ScriptFile
{
public:
    // Opens the file for reading; the reason when it cannot be read.
    std::optional<QString> open(const QString &path);
    void close() { m_file.close(); }

    // Skips bytes below 32, then returns the bytes up to and including the first byte
    // below 32 (the line's terminator), or up to the end of the file. Empty when the end
    // is met while skipping.
    QByteArray readLine();
    // Up to max bytes; fewer (or none) once the end of the file is met.
    QByteArray readBlock(qsizetype max);
    // True once a read has found the end of the file.
    bool endMet() const { return m_endMet; }

    // Bytes of a line kept beyond its first token: a line is cut to its first token and the
    // 255 characters after it, and no token is longer than this margin allows.
    static constexpr qsizetype LineKept = 1024;

private:
    // The next byte, or -1 at the end of the file.
    int next();
    bool refill();

    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_endMet = false;
};
