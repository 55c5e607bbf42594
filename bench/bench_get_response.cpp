// Get Response showing a 1,000,000-byte answer that a pseudo-terminal delivers as fast as
// it can, in Normal mode with a log open: displayed bytes per second.
#include "BenchOperator.h"
#include "PtyPair.h"
#include "link/SystemPorts.h"
#include "terminal/IdleTimer.h"
#include "terminal/Pacer.h"
#include "terminal/ResponseReader.h"
#include "terminal/Terminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr qint64 AnswerSize = 1000000;
constexpr double Floor = 230400;

struct Result
{
    qint64 displayed = 0;
    double seconds = 0;
    qint64 logBytes = 0;
};

Result runOnce(const QString &logPath)
{
    PtyPair pty;
    if (!pty.ready())
        return {};
    // Every byte value in turn, so that every kind of rendering is paid for.
    QByteArray answer(AnswerSize, '\0');
    for (qint64 i = 0; i < AnswerSize; ++i)
        answer[i] = char(i & 0xFF);

    SystemPorts ports;
    BenchOperator op;
    RealPacer pacer;
    QtIdleTimer timer;
    Terminal terminal(ports, op, pacer, timer);
    terminal.Settings.IOPort = pty.path;
    terminal.input().displayMode = DisplayMode::Normal;
    QFile::remove(logPath);
    if (terminal.Log.open(logPath))
        return {};
    qint64 shows = 0;
    QObject::connect(&terminal, &Terminal::transcriptAppended, &terminal,
                     [&shows](const QString &) { ++shows; });

    // The printer pours the answer into the line as fast as the line takes it.
    std::thread printer([&] {
        qint64 done = 0;
        while (done < answer.size()) {
            const ssize_t n = ::write(pty.master, answer.constData() + done,
                                      size_t(std::min<qint64>(4096, answer.size() - done)));
            if (n <= 0)
                break;
            done += n;
        }
    });
    QElapsedTimer clock;
    clock.start();
    terminal.responses().Getresp_Click();
    const double seconds = clock.nsecsElapsed() / 1e9;
    printer.join();
    terminal.Log.close();

    Result r;
    r.displayed = shows - 1; // the opening line break
    r.seconds = seconds;
    r.logBytes = QFileInfo(logPath).size();
    return r;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("bench.log"));
    std::vector<double> rates;
    for (int run = 0; run < 5; ++run) {
        const Result r = runOnce(logPath);
        if (r.seconds <= 0) {
            std::fprintf(stderr, "could not set up the pseudo-terminal or the log\n");
            return 1;
        }
        const double rate = r.displayed / r.seconds;
        rates.push_back(rate);
        std::printf("run %d: %lld bytes shown in %.3f s, %.0f bytes/s, log %lld bytes%s\n", run + 1,
                    static_cast<long long>(r.displayed), r.seconds, rate,
                    static_cast<long long>(r.logBytes),
                    r.displayed < AnswerSize ? " (answer cut short by a quiet gap)" : "");
    }
    std::sort(rates.begin(), rates.end());
    const double median = rates[rates.size() / 2];
    std::printf("Get Response, Normal mode, log open: median %.0f displayed bytes/s "
                "(floor %.0f): %s\n",
                median, Floor, median >= Floor ? "PASS" : "FAIL");
    return median >= Floor ? 0 : 1;
}
