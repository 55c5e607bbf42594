#include "cli/CliSession.h"

#include "script/ScriptRunner.h"
#include "terminal/CommandEncoding.h"
#include "terminal/CommandSender.h"
#include "terminal/ResponseReader.h"

CliSession::CliSession(const CliOptions &options, std::FILE *transcriptOut)
    : m_options(options)
    , m_out(transcriptOut)
    , m_ports(m_systemPorts, [this](const QString &line) { m_operator.writeLine(line); })
    , m_terminal(m_ports, m_operator, m_pacer, m_timer)
{
    m_operator.beforeLine = [this] { std::fflush(m_out); };
    QObject::connect(&m_terminal, &Terminal::transcriptAppended, &m_terminal,
                     [this](const QString &text) {
                         const QByteArray bytes = toLatin1Bytes(text);
                         std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
                     });
    // A script's PAUSE counts down where the window would show it.
    QObject::connect(&m_terminal, &Terminal::pauseShown, &m_terminal, [this](int secondsLeft) {
        m_operator.writeLine(QStringLiteral("Demo Paused %1").arg(secondsLeft));
    });
    m_terminal.Settings = m_options.settings;
    TerminalControls &input = m_terminal.input();
    input.displayMode = m_options.displayMode;
    input.autoQuery = m_options.autoQuery;
    input.echo = m_options.transcript;
    input.packSize = m_options.packetSize;
}

CliSession::~CliSession()
{
    std::fflush(m_out);
}

CliSession::ExitStatus CliSession::run()
{
    Terminal &t = m_terminal;
    if (!m_options.logFile.isEmpty()) {
        if (const auto error = t.Log.open(m_options.logFile)) {
            m_operator.writeLine(QStringLiteral("corvane-cli: cannot open log file \"%1\": %2")
                                     .arg(m_options.logFile, *error));
            return Failed;
        }
        t.LogName = m_options.logFile;
    }
    for (const CliAction &action : std::as_const(m_options.actions)) {
        switch (action.kind) {
        case CliAction::Kind::Send:
            t.input().commandLine = action.argument;
            t.commands().SendCommand_Click();
            break;
        case CliAction::Kind::GetResponse:
            t.responses().Getresp_Click();
            break;
        case CliAction::Kind::Break:
            t.DoBreak_Click();
            break;
        case CliAction::Kind::Script:
            // The script runner reports unreadable files itself (the script, and those
            // that DO and GRAPHIC name), as in the window, and counts them.
            t.input().fileName = action.argument;
            t.scripts().SendScript_Click();
            break;
        }
    }
    t.printer().ClosePort();
    // A log write given up on leaves the log closed: the record asked for is incomplete.
    const bool logLost = !m_options.logFile.isEmpty() && !t.Log.isOpen();
    t.Log.close();
    std::fflush(m_out);
    const bool fileFailed = t.scripts().unreadableFiles() > 0;
    if (fileFailed || logLost || t.commands().cancelledOutputs() > 0)
        return Failed;
    return Success;
}
