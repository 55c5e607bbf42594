#pragma once

#include <QByteArray>
#include <QString>

#include <termios.h>

// The far end of a pseudo-terminal, played by a test: the program under test opens the
// device path(), the test writes and reads the master side in raw mode.
class PtyMaster
{
public:
    PtyMaster();
    ~PtyMaster();
    PtyMaster(const PtyMaster &) = delete;
    PtyMaster &operator=(const PtyMaster &) = delete;

    bool isValid() const { return m_fd >= 0 && !m_path.isEmpty(); }
    // "/dev/pts/N".
    QString path() const { return m_path; }

    // Writes all of bytes, waiting for room at most deadlineMs; false when it ran out.
    bool write(const QByteArray &bytes, int deadlineMs = 5000);
    // Reads until count bytes came or deadlineMs passed.
    QByteArray read(qsizetype count, int deadlineMs = 5000);
    // Reads whatever is pending now.
    QByteArray drain();
    // The line settings of the device end, as the program under test set them.
    termios lineSettings() const;
    // Hangs up: the device end sees the line go away.
    void close();

private:
    int m_fd = -1;
    QString m_path;
};
