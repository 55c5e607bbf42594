#include "script/ScriptRunner.h"

#include "script/ScriptFile.h"
#include "script/ScriptRun.h"
#include "script/ScriptValues.h"
#include "terminal/CommandEncoding.h"
#include "terminal/CommandSender.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/ResponseReader.h"
#include "terminal/Terminal.h"

#include <QFileInfo>

ScriptRunner::ScriptRunner(Terminal &terminal)
    : m_terminal(terminal)
{
}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::GetFileName_Click()
{
    Operator::FileRequest request;
    request.title = QStringLiteral("Open Demo File");
    request.filter = QStringLiteral("(*.dmo;*.prn)|*.dmo;*.prn|(*.prn)|*.prn|(*.*)|*.*");
    request.fileName = m_dialogFileName;
    if (const auto chosen = m_terminal.op().openFile(request))
        m_dialogFileName = *chosen;
    m_terminal.changeControls([this](TerminalControls &c) { c.fileName = m_dialogFileName; });
    Q_EMIT m_terminal.focusInteractive();
}

void ScriptRunner::SendScript_Click()
{
    Terminal &t = m_terminal;
    // A run started while Send_Data waits between tries would empty its OutBuf.
    if (t.commands().sending())
        return;
    const QString name = t.controls().fileName;
    if (name.isEmpty()) {
        t.op().message(QStringLiteral("You must select a Script File."));
        Q_EMIT t.focusScriptFile();
        return;
    }
    t.changeControls([&name](TerminalControls &c) {
        Terminal::useHistoryEntry(c.scriptHistory, name);
        c.fileName = name;
    });
    const std::unique_ptr<ScriptRun> run = startRun(name);
    if (!run)
        return;
    if (!t.MacroMode)
        t.preparePort();
    t.Show_Info(QStringLiteral("\r\n"));
    execute(*run);
    if (!t.MacroMode)
        t.PortIdle = true;
}

void ScriptRunner::LoopButton_Click()
{
    Terminal &t = m_terminal;
    if (t.commands().sending())
        return;
    t.LoopActive = true;
    t.changeControls([](TerminalControls &c) { c.breakEnabled = true; });
    while (t.LoopActive) {
        t.commands().SendCommand_Click();
        t.pacer().sleep(200);
        t.pacer().doEvents();
        t.responses().Getresp_Click();
    }
}

void ScriptRunner::Run_Script(const QString &FileName)
{
    if (const std::unique_ptr<ScriptRun> run = startRun(FileName))
        execute(*run);
}

void ScriptRunner::doScript(const QString &FileName)
{
    const QFileInfo info(FileName);
    const QString canonical = info.canonicalFilePath();
    if (m_chain.size() >= MaxDepth || (!canonical.isEmpty() && m_chain.contains(canonical))) {
        m_terminal.op().message(QStringLiteral("Recursive DO Press OK to continue"));
        return;
    }
    Run_Script(FileName);
}

void ScriptRunner::fileUnreadable(const QString &what, const QString &path, const QString &reason)
{
    ++m_unreadable;
    m_terminal.op().message(
        QStringLiteral("Cannot read %1 %2: %3. Press OK to continue").arg(what, path, reason));
}

std::unique_ptr<ScriptRun> ScriptRunner::startRun(const QString &FileName)
{
    Terminal &t = m_terminal;
    const QString packText = t.controls().packSize;
    const auto packetSize = ScriptValues::integerValue(toLatin1Bytes(packText));
    if (!packetSize) {
        t.op().message(QStringLiteral("Packet Size \"%1\" is not a number from -32768 to "
                                      "32767. Press OK to continue")
                           .arg(packText));
        return nullptr;
    }
    auto file = std::make_unique<ScriptFile>();
    if (const auto reason = file->open(FileName)) {
        fileUnreadable(QStringLiteral("script file"), FileName, *reason);
        return nullptr;
    }
    return std::make_unique<ScriptRun>(t, *this, FileName, *packetSize, std::move(file));
}

void ScriptRunner::execute(ScriptRun &run)
{
    QString canonical = QFileInfo(run.FileName).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QFileInfo(run.FileName).absoluteFilePath();
    m_chain.append(canonical);
    run.execute();
    m_chain.removeLast();
}
