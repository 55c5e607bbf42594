#pragma once

class Terminal;

// Macro mode: the product check that enters it and DoneMacro that leaves it.
class MacroSession
{
public:
    explicit MacroSession(Terminal &terminal) : m_terminal(terminal) {}

    void DoMacros_Click();
    void DoneMacro();

private:
    Terminal &m_terminal;
};
