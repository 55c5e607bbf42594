// Script runs through the real serial backend to a pseudo-terminal whose other end a
// reader thread drains:
//  1. a 1 MB script of plain text lines with the Transcript box set and a log open, in
//     script bytes per second (floor 230,400);
//  2. a 10 MB print file in raw mode against plain write() calls of the same block size to
//     the same pseudo-terminal (ratio floor 0.8), the medians of seven alternating runs.
#include "BenchOperator.h"
#include "PtyPair.h"
#include "link/SystemPorts.h"
#include "script/ScriptRunner.h"
#include "terminal/IdleTimer.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/Terminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

// The printer end of a pseudo-terminal: a thread that reads everything and counts it.
class Drain
{
public:
    Drain()
    {
        if (m_pty.ready())
            m_thread = std::thread([this] { run(); });
    }
    ~Drain()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    QString device() const { return m_pty.path; }
    bool ok() const { return m_pty.ready(); }
    // The slave end, already raw, for the plain writes.
    int holder() const { return m_pty.holder; }

    // Waits until the count reaches total bytes since the last reset; false after 60 s.
    bool waitFor(qint64 total)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(60),
                                  [&] { return m_count.load() >= total; });
    }
    void reset() { m_count = 0; }
    qint64 count() const { return m_count; }

private:
    void run()
    {
        char buffer[65536];
        while (!m_stop) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(m_pty.master, &set);
            timeval wait{0, 20000};
            if (::select(m_pty.master + 1, &set, nullptr, nullptr, &wait) <= 0)
                continue;
            const ssize_t n = ::read(m_pty.master, buffer, sizeof buffer);
            if (n > 0) {
                std::lock_guard lock(m_mutex);
                m_count += n;
                m_changed.notify_all();
            }
        }
    }

    PtyPair m_pty;
    std::thread m_thread;
    std::atomic<bool> m_stop = false;
    std::atomic<qint64> m_count = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs a file through Send Script and returns the seconds until the printer end has
// read expected bytes; negative on failure.
double runScript(Terminal &terminal, Drain &drain, const QString &path, qint64 expected)
{
    drain.reset();
    terminal.input().fileName = path;
    QElapsedTimer clock;
    clock.start();
    terminal.scripts().SendScript_Click();
    if (!drain.waitFor(expected)) {
        std::fprintf(stderr, "only %lld of %lld bytes arrived\n", drain.count(), expected);
        return -1;
    }
    return clock.nsecsElapsed() / 1e9;
}

// Writes bytes to the device in blocks with plain write() calls; seconds until drained.
double plainWrites(Drain &drain, const QByteArray &bytes, qsizetype block)
{
    const int fd = drain.holder();
    drain.reset();
    QElapsedTimer clock;
    clock.start();
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, size_t(qMin(block, bytes.size() - done)));
        if (n < 0)
            return -1;
        done += n;
    }
    const bool drained = drain.waitFor(bytes.size());
    return drained ? clock.nsecsElapsed() / 1e9 : -1;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Drain drain;
    if (!drain.ok()) {
        std::fputs("cannot open a pseudo-terminal\n", stderr);
        return 2;
    }
    QTemporaryDir dir;
    SystemPorts ports;
    BenchOperator op;
    RealPacer pacer;
    QtIdleTimer timer;
    Terminal terminal(ports, op, pacer, timer);
    terminal.Settings.IOPort = drain.device();
    terminal.input().echo = true;
    if (const auto error = terminal.Log.open(dir.filePath(QStringLiteral("bench.log")))) {
        std::fprintf(stderr, "cannot open the log: %s\n", qPrintable(*error));
        return 2;
    }

    // 1 MB of 78-character text lines with CR LF: 76 bytes reach the printer per line.
    QByteArray script;
    qint64 printed = 0;
    const QByteArray line = "The quick brown fox jumps over the lazy dog 0123456789 "
                            "ABCDEFGHIJKLMNOPQRSTUV\r\n";
    while (script.size() + line.size() <= 1000000) {
        script += line;
        printed += line.size() - 2;
    }
    const QString scriptPath = dir.filePath(QStringLiteral("bench.dmo"));
    if (!writeFile(scriptPath, script))
        return 2;
    const double scriptSeconds = runScript(terminal, drain, scriptPath, printed);
    if (scriptSeconds < 0 || op.shown > 0)
        return 1;
    const double scriptRate = script.size() / scriptSeconds;
    std::printf("script, transcript and log: %.0f script bytes/s (%lld bytes in %.3f s), "
                "floor 230400: %s\n",
                scriptRate, qint64(script.size()), scriptSeconds,
                scriptRate >= 230400 ? "met" : "MISSED");

    // 10 MB print file, raw mode.
    terminal.Log.close();
    QByteArray print(10 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < print.size(); ++i)
        print[i] = static_cast<char>((i * 7) & 0xff);
    const QString printPath = dir.filePath(QStringLiteral("bench.prn"));
    if (!writeFile(printPath, print))
        return 2;
    QList<double> raws;
    QList<double> plains;
    for (int run = 0; run < 7; ++run) {
        raws.append(runScript(terminal, drain, printPath, print.size()));
        plains.append(plainWrites(drain, print, 1024));
        if (raws.last() < 0 || plains.last() < 0 || op.shown > 0)
            return 1;
    }
    const double rawSeconds = median(raws);
    const double plainSeconds = median(plains);
    const double ratio = plainSeconds / rawSeconds;
    std::printf("raw print file: %.1f MB/s; plain write() of 1024-byte blocks: %.1f MB/s; "
                "ratio %.2f, floor 0.8: %s\n",
                print.size() / rawSeconds / 1e6, print.size() / plainSeconds / 1e6, ratio,
                ratio >= 0.8 ? "met" : "MISSED");
    return scriptRate >= 230400 && ratio >= 0.8 ? 0 : 1;
}
