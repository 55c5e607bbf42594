// Appends 1,000,000 one-character texts through the main window's Show_Info with a log
// open, on the offscreen platform with the real event pacer, and prints appends per second.
// Show_Info runs once per byte of every send, answer and script, so it must stay well
// above the fastest line (230400 baud, 23,040 bytes a second).
//
// Usage: bench_show_info [--one-line]
//   --one-line  no line breaks: the whole pane is one long line.

#include "link/NullBackend.h"
#include "terminal/IdleTimer.h"
#include "terminal/LogControl.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/Terminal.h"
#include "terminal/ui/TranscriptView.h"
#include "terminal/ui/frmTerminal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

constexpr int Appends = 1'000'000;
constexpr double Floor = 230'400;

// A line that reaches nothing: the benchmark measures the transcript and the log only.
class NoPorts : public PortProvider
{
public:
    std::unique_ptr<PortBackend> create(const QString &) override
    {
        return std::make_unique<NullBackend>();
    }
    QStringList ports() override { return {}; }
};

// Chooses the log file and reports any box instead of showing it.
class BenchOperator : public Operator
{
public:
    explicit BenchOperator(QString logPath)
        : m_logPath(std::move(logPath))
    {
    }
    Answer message(const QString &text, Buttons, Icon, const QString &) override
    {
        std::fprintf(stderr, "message box: %s\n", qPrintable(text));
        ++boxes;
        return Answer::Cancel;
    }
    std::optional<QString> openFile(const FileRequest &) override { return m_logPath; }
    int boxes = 0;

private:
    QString m_logPath;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool oneLine = argc > 1 && std::strcmp(argv[1], "--one-line") == 0;

    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("bench.log"));
    NoPorts ports;
    BenchOperator op(logPath);
    RealPacer pacer;
    QtIdleTimer timer;
    Terminal terminal(ports, op, pacer, timer);
    frmTerminal window(terminal);
    window.show();
    QCoreApplication::processEvents();
    terminal.logControl().MOpenLog_Click();
    if (!terminal.Log.isOpen()) {
        std::fprintf(stderr, "the log did not open\n");
        return 1;
    }

    // Letters, and every 80th text a CR then an LF, as a transcript of lines looks.
    QString texts[28];
    for (int i = 0; i < 26; ++i)
        texts[i] = QString(QChar(u'A' + i));
    texts[26] = QStringLiteral("\r");
    texts[27] = QStringLiteral("\n");
    const auto textFor = [&](int i) -> const QString & {
        const int column = i % 80;
        if (!oneLine && column >= 78)
            return texts[26 + column - 78];
        return texts[i % 26];
    };

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Appends; ++i)
        terminal.Show_Info(textFor(i));
    const qint64 ns = clock.nsecsElapsed();

    // Check that speed cost nothing: the pane shows its last characters and the log holds
    // every text in order.
    window.findChild<TranscriptView *>(QStringLiteral("Term"))->updateNow();
    terminal.logControl().MCloseLog_Click();
    QString tail;
    for (int i = Appends - int(terminal.Term.text().size()); i < Appends; ++i)
        tail += textFor(i);
    const bool paneOk = terminal.Term.text() == tail;
    QFile log(logPath);
    bool logOk = log.open(QIODevice::ReadOnly) && log.size() == Appends;
    if (logOk) {
        const QByteArray bytes = log.readAll();
        for (int i = 0; i < Appends && logOk; ++i)
            logOk = bytes.at(i) == textFor(i).at(0).toLatin1();
    }

    const double perSecond = Appends / (double(ns) / 1e9);
    std::printf("Show_Info with a log open (%s): %d appends in %.3f s = %.0f appends/s "
                "(floor %.0f: %s)\n",
                oneLine ? "one long line" : "lines of 80", Appends, double(ns) / 1e9, perSecond,
                Floor, perSecond >= Floor ? "met" : "NOT MET");
    const auto kept = static_cast<long long>(terminal.Term.text().size());
    std::printf("pane holds the last %lld characters: %s; log holds all %d bytes in order: %s\n",
                kept, paneOk ? "yes" : "NO", Appends, logOk ? "yes" : "NO");
    return paneOk && logOk && op.boxes == 0 ? 0 : 1;
}
