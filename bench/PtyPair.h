#pragma once

#include <QString>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal for the benchmarks: the master end plays the printer, the slave end is
// the port the terminal opens by its path. The slave is also held open in raw mode, so
// that its settings stay fixed whoever opens and closes it.
class PtyPair
{
public:
    PtyPair()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        path = QString::fromLocal8Bit(::ptsname(master));
        holder = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        termios raw{};
        if (holder >= 0 && ::tcgetattr(holder, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(holder, TCSANOW, &raw);
        }
    }
    ~PtyPair()
    {
        if (holder >= 0)
            ::close(holder);
        if (master >= 0)
            ::close(master);
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool ready() const { return holder >= 0; }

    int master = -1;
    int holder = -1;
    QString path;
};
