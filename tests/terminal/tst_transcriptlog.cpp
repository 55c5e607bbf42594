#include "support/TestTerminal.h"
#include "terminal/LogControl.h"
#include "terminal/ui/TranscriptView.h"
#include "terminal/ui/frmTerminal.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Opens a log through the File menu item, choosing path and answering the replace question
// with the given answers.
void openLog(TestTerminal &t, const QString &path, QList<Operator::Answer> answers = {})
{
    t.op.files.append(path);
    t.op.answers = answers;
    t.terminal.logControl().MOpenLog_Click();
}

// Lowers the largest file size this process may write, so that log writes beyond it fail
// as on a full disk; the old limit comes back when the guard ends.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        set(bytes);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    void set(rlim_t bytes)
    {
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    void lift() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

} // namespace

// The transcript writer Show_Info, the pane's trim rule, and the log file opened and closed
// from the File menu.
class tst_TranscriptLog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void paneKeepsTheLastCharactersOnceItPassesTheLimit_data();
    void paneKeepsTheLastCharactersOnceItPassesTheLimit();
    void viewShowsThePaneWithTheCaretAtTheEnd();

    void openingAsksWithTheLogDialog();
    void anExistingLogIsAppendedOrReplaced_data();
    void anExistingLogIsAppendedOrReplaced();
    void openingAndClosingWritesNothing();
    void failuresToOpenLeaveNoLog_data();
    void failuresToOpenLeaveNoLog();
    void aFailedWriteIsRetriedOrClosesTheLog_data();
    void aFailedWriteIsRetriedOrClosesTheLog();
    void textsAppendedDuringAnEventPassKeepTheirOrderInTheLog();
    void aLogClosedDuringTheEventPassGetsNothingMore();
    void exitWithALogOpenClosesIt();

private:
    QTemporaryDir m_dir;
};

void tst_TranscriptLog::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A write beyond the file-size limit fails with an error instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
}

void tst_TranscriptLog::init()
{
    for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
        QFile::remove(m_dir.filePath(name));
}

void tst_TranscriptLog::paneKeepsTheLastCharactersOnceItPassesTheLimit_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("kept");
    QTest::newRow("exactly 20000 is kept whole") << 19990 << 10 << 20000;
    QTest::newRow("10 short plus 15 keeps the last 2000") << 19990 << 15 << 2000;
    QTest::newRow("one past the limit keeps the last 2000") << 20000 << 1 << 2000;
}

void tst_TranscriptLog::paneKeepsTheLastCharactersOnceItPassesTheLimit()
{
    QFETCH(int, before);
    QFETCH(int, added);
    QFETCH(int, kept);
    TestTerminal t;
    const QString logPath = m_dir.filePath(QStringLiteral("trim.log"));
    openLog(t, logPath);
    QString all;
    for (int i = 0; i < before; i += 100) {
        // Numbered lines, so that a trim at the wrong place shows.
        const QString line = QStringLiteral("%1\r\n").arg(i, 98, 10, QLatin1Char('.'));
        const QString part = line.left(before - i);
        t.terminal.Show_Info(part);
        all += part;
    }
    QCOMPARE(t.terminal.Term.text().size(), before);
    QString last;
    for (int i = 0; i < added; ++i)
        last += QChar(u'a' + i % 26);
    t.terminal.Show_Info(last);
    all += last;
    QCOMPARE(t.terminal.Term.text(), all.right(kept));
    // The log keeps what the pane let go.
    t.terminal.logControl().MCloseLog_Click();
    QCOMPARE(readFile(logPath), all.toLatin1());
}

void tst_TranscriptLog::viewShowsThePaneWithTheCaretAtTheEnd()
{
    TestTerminal t;
    frmTerminal window(t.terminal);
    auto *view = window.findChild<TranscriptView *>(QStringLiteral("Term"));
    QVERIFY(view);
    const auto shown = [&t] { return QString(t.terminal.Term.text()).remove(QLatin1Char('\r')); };
    // Appends between repaints, across two trims, with CR LF pairs split over two texts.
    for (int round = 0; round < 100; ++round) {
        for (int i = 0; i < 40; ++i) {
            t.terminal.Show_Info(QStringLiteral("[ESC]a<%1>\r").arg(round * 40 + i));
            t.terminal.Show_Info(QStringLiteral("\n"));
        }
        view->updateNow();
        QCOMPARE(view->toPlainText(), shown());
        QVERIFY(view->textCursor().atEnd());
    }
    QVERIFY(t.terminal.Term.trimCount() >= 1);
}

void tst_TranscriptLog::openingAsksWithTheLogDialog()
{
    TestTerminal t;
    t.terminal.logControl().MOpenLog_Click();
    QCOMPARE(t.op.requests.size(), 1);
    const Operator::FileRequest &r = t.op.requests.first();
    QCOMPARE(r.title, QStringLiteral("Open Communications Log File"));
    QCOMPARE(r.filter, QStringLiteral("Log Files (*.LOG)|*.log|All Files (*.*)|*.*"));
    QCOMPARE(r.defaultExtension, QStringLiteral("LOG"));
    QVERIFY(r.fileName.isEmpty());
    // Cancelled: nothing changes.
    QVERIFY(!t.terminal.Log.isOpen());
    QVERIFY(!t.terminal.controls().logOpen);
    QCOMPARE(t.terminal.controls().caption, QStringLiteral("Terminal"));
    QVERIFY(t.op.shown.isEmpty());
}

void tst_TranscriptLog::anExistingLogIsAppendedOrReplaced_data()
{
    QTest::addColumn<QList<Operator::Answer>>("answers");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<QByteArray>("content");
    using A = Operator::Answer;
    QTest::newRow("No appends") << QList<A>{A::No} << 1 << QByteArray("old\r\nnew\r\n");
    QTest::newRow("Yes starts empty") << QList<A>{A::Yes} << 1 << QByteArray("new\r\n");
    QTest::newRow("Cancel shows the dialog again")
        << QList<A>{A::Cancel, A::No} << 2 << QByteArray("old\r\nnew\r\n");
}

void tst_TranscriptLog::anExistingLogIsAppendedOrReplaced()
{
    QFETCH(QList<Operator::Answer>, answers);
    QFETCH(int, dialogs);
    QFETCH(QByteArray, content);
    TestTerminal t;
    const QString path = m_dir.filePath(QStringLiteral("session.log"));
    writeFile(path, "old\r\n");
    for (int i = 1; i < dialogs; ++i)
        t.op.files.append(path);
    openLog(t, path, answers);

    QCOMPARE(t.op.requests.size(), dialogs);
    for (const Operator::FileRequest &r : std::as_const(t.op.requests))
        QVERIFY(r.fileName.isEmpty());
    QCOMPARE(t.op.shown.size(), answers.size());
    for (const TestOperator::Shown &s : std::as_const(t.op.shown)) {
        QCOMPARE(s.text, QStringLiteral("Replace existing file - ") + path + QStringLiteral("?"));
        QCOMPARE(s.buttons, Operator::Buttons::YesNoCancel);
        QCOMPARE(s.icon, Operator::Icon::Question);
    }
    QCOMPARE(t.terminal.LogName, path);
    QVERIFY(t.terminal.controls().logOpen);
    QCOMPARE(t.terminal.controls().caption, QStringLiteral("Demo Log - session.log"));

    t.terminal.Show_Info(QStringLiteral("new\r\n"));
    t.terminal.logControl().MCloseLog_Click();
    QCOMPARE(readFile(path), content);
    QVERIFY(!t.terminal.controls().logOpen);
    QCOMPARE(t.terminal.controls().caption, QStringLiteral("Corvane 4200"));
}

void tst_TranscriptLog::openingAndClosingWritesNothing()
{
    TestTerminal t;
    t.terminal.Show_Info(QStringLiteral("before the log"));
    const QString fresh = m_dir.filePath(QStringLiteral("fresh.log"));
    openLog(t, fresh);
    t.terminal.logControl().MCloseLog_Click();
    QVERIFY(QFile::exists(fresh));
    QCOMPARE(readFile(fresh), QByteArray());

    const QString old = m_dir.filePath(QStringLiteral("old.log"));
    writeFile(old, "kept as it was");
    openLog(t, old, {Operator::Answer::No});
    t.terminal.logControl().MCloseLog_Click();
    t.terminal.Show_Info(QStringLiteral("after the log"));
    QCOMPARE(readFile(old), QByteArray("kept as it was"));
}

void tst_TranscriptLog::failuresToOpenLeaveNoLog_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<Operator::Answer>>("answers");
    QTest::addColumn<QString>("error");
    // A folder on the way that is a plain file makes the existence test itself fail.
    QTest::newRow("existence test fails")
        << QStringLiteral("plain.txt/inside.log") << QList<Operator::Answer>{}
        << QStringLiteral("Not a directory");
    QTest::newRow("open fails on a folder")
        << QStringLiteral("folder") << QList<Operator::Answer>{Operator::Answer::No}
        << QStringLiteral("Is a directory");
}

void tst_TranscriptLog::failuresToOpenLeaveNoLog()
{
    QFETCH(QString, path);
    QFETCH(QList<Operator::Answer>, answers);
    QFETCH(QString, error);
    writeFile(m_dir.filePath(QStringLiteral("plain.txt")), "x");
    QDir(m_dir.path()).mkpath(QStringLiteral("folder"));
    TestTerminal t;
    const QString full = m_dir.filePath(path);
    openLog(t, full, answers);
    const TestOperator::Shown &box = t.op.shown.constLast();
    QCOMPARE(box.buttons, Operator::Buttons::Ok);
    QCOMPARE(box.icon, Operator::Icon::Exclamation);
    QVERIFY2(box.text.startsWith(full) && box.text.contains(error), qPrintable(box.text));
    QVERIFY(!t.terminal.Log.isOpen());
    QVERIFY(!t.terminal.controls().logOpen);
    QCOMPARE(t.terminal.controls().caption, QStringLiteral("Terminal"));
    t.terminal.Show_Info(QStringLiteral("no log"));
    QCOMPARE(t.op.shown.size(), answers.size() + 1);
}

void tst_TranscriptLog::aFailedWriteIsRetriedOrClosesTheLog_data()
{
    QTest::addColumn<Operator::Answer>("answer");
    QTest::addColumn<QByteArray>("content");
    // The disk fills up in the middle of the second text.
    QTest::newRow("Retry writes the rest")
        << Operator::Answer::Retry << QByteArray("first|second|third|");
    QTest::newRow("Cancel closes the log") << Operator::Answer::Cancel << QByteArray("first|se");
}

void tst_TranscriptLog::aFailedWriteIsRetriedOrClosesTheLog()
{
    QFETCH(Operator::Answer, answer);
    QFETCH(QByteArray, content);
    TestTerminal t;
    const QString path = m_dir.filePath(QStringLiteral("full.log"));
    openLog(t, path);
    t.terminal.Show_Info(QStringLiteral("first|"));
    {
        FileSizeLimit limit(8);
        int boxes = 0;
        t.op.answers = {answer, answer};
        t.op.onMessage = [&](const TestOperator::Shown &) {
            // The first box finds the disk still full; before the second, space is freed.
            if (++boxes == 2)
                limit.lift();
        };
        t.terminal.Show_Info(QStringLiteral("second|"));
        t.op.onMessage = {};
    }
    t.terminal.Show_Info(QStringLiteral("third|"));
    const TestOperator::Shown &box = t.op.shown.constFirst();
    QCOMPARE(box.buttons, Operator::Buttons::RetryCancel);
    QCOMPARE(box.icon, Operator::Icon::Critical);
    QVERIFY(box.title.isEmpty());
    QVERIFY2(box.text.startsWith(path), qPrintable(box.text));
    if (answer == Operator::Answer::Retry) {
        QCOMPARE(t.op.shown.size(), 2);
        QVERIFY(t.terminal.controls().logOpen);
        t.terminal.logControl().MCloseLog_Click();
    } else {
        QCOMPARE(t.op.shown.size(), 1);
        QVERIFY(!t.terminal.Log.isOpen());
        QVERIFY(!t.terminal.controls().logOpen);
        QCOMPARE(t.terminal.controls().caption, QStringLiteral("Corvane 4200"));
    }
    QCOMPARE(readFile(path), content);
    QCOMPARE(t.terminal.Term.text(), QStringLiteral("first|second|third|"));
}

void tst_TranscriptLog::textsAppendedDuringAnEventPassKeepTheirOrderInTheLog()
{
    TestTerminal t;
    const QString path = m_dir.filePath(QStringLiteral("nested.log"));
    openLog(t, path);
    // A keystroke echoed during the event pass of the send's own echo.
    t.pacer.onEvents = [&t](int pass) {
        if (pass == 1)
            t.terminal.Show_Info(QStringLiteral("key"));
    };
    t.terminal.Show_Info(QStringLiteral("send,"));
    t.terminal.Show_Info(QStringLiteral(",end"));
    t.terminal.logControl().MCloseLog_Click();
    QCOMPARE(t.terminal.Term.text(), QStringLiteral("send,key,end"));
    QCOMPARE(readFile(path), QByteArray("send,key,end"));
}

void tst_TranscriptLog::aLogClosedDuringTheEventPassGetsNothingMore()
{
    TestTerminal t;
    const QString path = m_dir.filePath(QStringLiteral("closed.log"));
    openLog(t, path);
    t.terminal.Show_Info(QStringLiteral("kept"));
    t.pacer.onEvents = [&t](int) { t.terminal.logControl().MCloseLog_Click(); };
    t.terminal.Show_Info(QStringLiteral("dropped"));
    QCOMPARE(readFile(path), QByteArray("kept"));
    QCOMPARE(t.terminal.Term.text(), QStringLiteral("keptdropped"));
    QVERIFY(t.op.shown.isEmpty());
}

void tst_TranscriptLog::exitWithALogOpenClosesIt()
{
    TestTerminal t;
    frmTerminal window(t.terminal);
    int ended = 0;
    window.setEndProgram([&ended] { ++ended; });
    window.Form_Load();
    auto *open = window.findChild<QAction *>(QStringLiteral("MOpenLog"));
    auto *close = window.findChild<QAction *>(QStringLiteral("MCloseLog"));
    QVERIFY(open && close);
    QVERIFY(open->isEnabled() && !close->isEnabled());

    const QString path = m_dir.filePath(QStringLiteral("exit.log"));
    t.op.files.append(path);
    open->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("Demo Log - exit.log"));
    QVERIFY(!open->isEnabled() && close->isEnabled());
    t.terminal.Show_Info(QStringLiteral("last words\r\n"));

    window.Form_Unload();
    QCOMPARE(ended, 1);
    QVERIFY(!t.terminal.Log.isOpen());
    QCOMPARE(window.windowTitle(), QStringLiteral("Corvane 4200"));
    QVERIFY(open->isEnabled() && !close->isEnabled());
    QCOMPARE(readFile(path), QByteArray("last words\r\n"));
}

QTEST_MAIN(tst_TranscriptLog)
#include "tst_transcriptlog.moc"
