#pragma once

#include "link/POSPrinter.h"
#include "link/PortSettings.h"
#include "terminal/LogFile.h"
#include "terminal/Transcript.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class Operator;
class Pacer;
class IdleTimer;
class CommandSender;
class ResponseReader;
class LogControl;
class ScriptRunner;
class MacroSession;

// How received bytes are shown: the main window's Hex, Dec and Normal option buttons.
enum class DisplayMode { Hex, Dec, Normal };

// What the main window shows and what the operator has set in it. The core changes the
// shown values and announces it with controlsChanged(); the window pushes the set values
// whenever the operator changes them, so that the core always reads them current.
struct TerminalControls
{
    // Shown.
    QString caption = QStringLiteral("Terminal");
    QString curPort;
    bool breakEnabled = false;
    QString breakCaption = QStringLiteral("Break");
    bool sendCommandEnabled = true;
    bool getrespEnabled = true;
    bool logOpen = false; // MOpenLog disabled and MCloseLog enabled while set
    QStringList commandHistory;
    QStringList scriptHistory;
    // Set by the operator (and by the core where an operation rewrites them).
    QString commandLine;
    QString fileName;
    QString packSize = QStringLiteral("20");
    bool autoQuery = true;
    bool echo = true;
    DisplayMode displayMode = DisplayMode::Normal;
};

// The terminal's state and its shared procedures: the line settings and port flags, the
// port preparation and idle timer, the port display, Break, Send_Info and Get_Info, and the
// transcript writer Show_Info with its log. The main window, the command-line tool and the
// tests all drive this one object.
class Terminal : public QObject
{
    Q_OBJECT
public:
    Terminal(PortProvider &ports, Operator &op, Pacer &pacer, IdleTimer &timer);
    ~Terminal() override;

    // Program-wide and window state, under the names the whole program uses.
    PortSettings Settings;
    bool PortOpen = false;
    bool HasExtStore = false;
    bool PortIdle = false;
    bool MacroMode = false;
    bool LoopActive = false;
    QByteArray OutBuf;
    qint16 CounterA = 0;
    qint16 CounterB = 0;
    QString StartDir;
    LogFile Log; // "LogFile" of the window: open or not
    QString LogName;
    Transcript Term;

    POSPrinter &printer() { return m_printer; }
    Operator &op() { return m_operator; }
    Pacer &pacer() { return m_pacer; }

    const TerminalControls &controls() const { return m_controls; }
    // Changes shown values; emits controlsChanged().
    template<typename Change> void changeControls(Change change)
    {
        change(m_controls);
        Q_EMIT controlsChanged();
    }
    // The operator's settings, pushed by the window without a notification back.
    TerminalControls &input() { return m_controls; }

    CommandSender &commands() { return *m_commands; }
    ResponseReader &responses() { return *m_responses; }
    LogControl &logControl() { return *m_logControl; }
    ScriptRunner &scripts() { return *m_scripts; }
    MacroSession &macros() { return *m_macros; }

    // Opens the port for an operation: PortIdle cleared, the idle timer restarted, OpenPort
    // with the current settings, then SetFlowControl.
    void preparePort();
    // Outside macro mode, lets the idle timer close the port.
    void releasePort();

    void Timer1_Timer();
    void DispPort();
    void DoBreak_Click();
    void Send_Info(const QByteArray &Info, qint64 Lng);
    QByteArray Get_Info();
    // Appends to the transcript, lets events run once, then copies the text to the log.
    void Show_Info(const QString &text);

    // Moves text to the top of a history list, removing the first equal entry.
    static void useHistoryEntry(QStringList &history, const QString &text);

Q_SIGNALS:
    void controlsChanged();
    // Every text Show_Info appends, as it is appended.
    void transcriptAppended(const QString &text);
    void focusInteractive();
    void interactiveCleared();
    void focusScriptFile();
    // The pause window: shown with the seconds left (each second anew), then hidden.
    void pauseShown(int secondsLeft);
    void pauseHidden();

private:
    void writePendingLog();

    POSPrinter m_printer;
    Operator &m_operator;
    Pacer &m_pacer;
    IdleTimer &m_timer;
    TerminalControls m_controls;
    std::unique_ptr<CommandSender> m_commands;
    std::unique_ptr<ResponseReader> m_responses;
    std::unique_ptr<LogControl> m_logControl;
    std::unique_ptr<ScriptRunner> m_scripts;
    std::unique_ptr<MacroSession> m_macros;
    // Texts appended to the transcript but not yet written to the log, as Latin-1 bytes.
    QByteArray m_logPending;
    bool m_writingLog = false;
};
