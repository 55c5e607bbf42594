// Measures the serial line's waits and write behaviour against a pseudo-terminal: how long
// an empty read takes for the two wait settings the terminal uses, how long a read waits
// after the last byte, how long a write to a stalled line takes to give up, and the rate
// at which a drained line takes bytes.
#include "link/SerialBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const QString mode = QStringLiteral("baud=19200 parity=N data=8 stop=1");

struct Pty
{
    Pty()
    {
        fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd >= 0 && ::grantpt(fd) == 0 && ::unlockpt(fd) == 0) {
            termios raw{};
            ::tcgetattr(fd, &raw);
            ::cfmakeraw(&raw);
            ::tcsetattr(fd, TCSANOW, &raw);
            path = QString::fromLocal8Bit(::ptsname(fd));
        }
    }
    ~Pty() { ::close(fd); }
    void drain()
    {
        char buffer[65536];
        while (::read(fd, buffer, sizeof buffer) > 0) {
        }
    }
    int fd = -1;
    QString path;
};

template<typename F> double medianMs(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        f();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Pty pty;
    SerialBackend port(pty.path);
    if (pty.path.isEmpty() || !port.open(mode)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(port.errorText()));
        return 1;
    }
    port.setFlowControl(0);

    std::printf("empty read, waits (10, 10):    %7.1f ms (median of 20)\n",
                medianMs(20, [&] { port.read(1, 10, 10); }));
    std::printf("empty read, waits (1000, 100): %7.1f ms (median of 3)\n",
                medianMs(3, [&] { port.read(1, 1000, 100); }));
    std::printf("read of 10 bytes asking 64, gap 100: %7.1f ms (median of 5)\n", medianMs(5, [&] {
                    (void)::write(pty.fd, "0123456789", 10);
                    port.read(64, 1000, 100);
                }));

    const QByteArray big(1024 * 1024, 'x');
    qint64 taken = 0;
    const double stalled = medianMs(1, [&] { taken = port.write(big); });
    std::printf("1 MiB write, far end not reading: %lld bytes taken, gave up after %.1f ms\n",
                taken, stalled);
    pty.drain();

    std::atomic<bool> running = true;
    std::thread reader([&] {
        while (running)
            pty.drain();
    });
    qint64 total = 0;
    const double ms = medianMs(1, [&] {
        for (int i = 0; i < 16; ++i)
            total += port.write(big);
    });
    running = false;
    reader.join();
    std::printf("16 MiB written to a drained line: %lld bytes in %.1f ms (%.1f MiB/s)\n", total, ms,
                total / 1048576.0 / (ms / 1000.0));
    return 0;
}
