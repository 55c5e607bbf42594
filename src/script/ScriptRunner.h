#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class ScriptRun;
class Terminal;

// Runs demonstration scripts and print files, and the Loop button's repeat cycle.
class ScriptRunner
{
public:
    explicit ScriptRunner(Terminal &terminal);
    ~ScriptRunner();

    void GetFileName_Click();
    void SendScript_Click();
    void LoopButton_Click();
    void Run_Script(const QString &FileName);

    // The DO command: runs the file nested, unless it is already running further up the
    // chain of runs or the chain is as deep as it may go.
    void doScript(const QString &FileName);
    // Tells the operator that a file cannot be read and counts it.
    void fileUnreadable(const QString &what, const QString &path, const QString &reason);

    // Script, DO and GRAPHIC files that could not be read since the program started.
    int unreadableFiles() const { return m_unreadable; }
    // The runs under way, outermost first, as canonical paths.
    const QStringList &chain() const { return m_chain; }

    // Runs nested deeper than this are refused as recursive.
    static constexpr int MaxDepth = 32;

private:
    // Reads the packet size and opens the file; nullptr (after telling the operator) when
    // the run cannot start.
    std::unique_ptr<ScriptRun> startRun(const QString &FileName);
    void execute(ScriptRun &run);

    Terminal &m_terminal;
    QStringList m_chain;
    int m_unreadable = 0;
    // The file dialog keeps the name it last returned and returns it again on a cancel.
    QString m_dialogFileName;
};
