#include "terminal/Terminal.h"

#include "macros/MacroSession.h"
#include "script/ScriptRunner.h"
#include "terminal/CommandSender.h"
#include "terminal/IdleTimer.h"
#include "terminal/LogControl.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/ResponseReader.h"

Terminal::Terminal(PortProvider &ports, Operator &op, Pacer &pacer, IdleTimer &timer)
    : m_printer(ports)
    , m_operator(op)
    , m_pacer(pacer)
    , m_timer(timer)
    , m_commands(std::make_unique<CommandSender>(*this))
    , m_responses(std::make_unique<ResponseReader>(*this))
    , m_logControl(std::make_unique<LogControl>(*this))
    , m_scripts(std::make_unique<ScriptRunner>(*this))
    , m_macros(std::make_unique<MacroSession>(*this))
{
    m_timer.setHandler([this] { Timer1_Timer(); });
}

Terminal::~Terminal()
{
    m_timer.setHandler({});
}

void Terminal::preparePort()
{
    PortIdle = false;
    m_timer.restart();
    m_printer.OpenPort(Settings.IOPort, Settings.ModeString());
    m_printer.SetFlowControl(Settings.Flow);
}

void Terminal::releasePort()
{
    if (!MacroMode)
        PortIdle = true;
}

void Terminal::Timer1_Timer()
{
    if (PortIdle && !MacroMode)
        m_printer.ClosePort();
    PortIdle = false;
}

void Terminal::DispPort()
{
    changeControls([this](TerminalControls &c) {
        c.curPort = Settings.IOPort;
        QStringView name(Settings.IOPort);
        if (name.startsWith(QLatin1String("/dev/")))
            name = name.mid(5);
        const bool serial = name.startsWith(QLatin1String("COM"))
                            || name.startsWith(QLatin1String("tty"));
        if (serial)
            c.curPort += QLatin1Char(' ') + Settings.BaudRate;
        c.breakEnabled = serial;
    });
}

void Terminal::DoBreak_Click()
{
    LoopActive = false;
    preparePort();
    changeControls([](TerminalControls &c) { c.breakCaption = QStringLiteral("Wait"); });
    m_printer.SetBreak(1, QStringLiteral(" "));
    m_pacer.sleep(1000);
    m_printer.SetBreak(2, QStringLiteral(" "));
    changeControls([](TerminalControls &c) { c.breakCaption = QStringLiteral("Break"); });
    m_pacer.doEvents();
    PortIdle = true;
}

void Terminal::Send_Info(const QByteArray &Info, qint64 Lng)
{
    if (PortOpen)
        m_printer.WriteData(Info, Lng);
}

QByteArray Terminal::Get_Info()
{
    QByteArray all;
    for (;;) {
        const QByteArray part = m_printer.ReadData(1);
        if (part.isEmpty())
            return all;
        all += part;
    }
}

void Terminal::Show_Info(const QString &text)
{
    Term.append(text);
    Q_EMIT transcriptAppended(text);
    // Callers pass one character per byte; a character above 255 becomes "?".
    for (const QChar ch : text)
        m_logPending.append(ch.unicode() <= 0xFF ? char(ch.unicode()) : '?');
    m_pacer.doEvents();
    // Tested after the event pass: the log may have been closed (or opened) meanwhile.
    if (Log.isOpen())
        writePendingLog();
    else if (!m_writingLog)
        m_logPending.resize(0);
}

// A text that arrives during the event pass of an earlier one (a keystroke in the middle of
// a send) reaches the pane after it; writing the pending texts together, oldest first,
// keeps the log in the pane's order.
void Terminal::writePendingLog()
{
    if (m_writingLog)
        return;
    m_writingLog = true;
    qsizetype done = 0;
    while (Log.isOpen() && done < m_logPending.size()) {
        const LogFile::Written written = Log.write(QByteArrayView(m_logPending).sliced(done));
        // Retry writes only what did not reach the file, so nothing is written twice.
        done += written.bytes;
        if (!written.error)
            continue;
        const auto answer = m_operator.message(*written.error, Operator::Buttons::RetryCancel,
                                               Operator::Icon::Critical);
        if (answer != Operator::Answer::Retry)
            m_logControl->MCloseLog_Click();
    }
    m_logPending.resize(0);
    m_writingLog = false;
}

void Terminal::useHistoryEntry(QStringList &history, const QString &text)
{
    const qsizetype found = history.indexOf(text);
    if (found >= 0)
        history.removeAt(found);
    history.prepend(text);
}
