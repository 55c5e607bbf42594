#pragma once

#include <QString>

class Terminal;

// Runs demonstration scripts and print files, and the Loop button's repeat cycle.
class ScriptRunner
{
public:
    explicit ScriptRunner(Terminal &terminal) : m_terminal(terminal) {}

    void GetFileName_Click();
    void SendScript_Click();
    void LoopButton_Click();
    void Run_Script(const QString &FileName);

private:
    Terminal &m_terminal;
};
