#pragma once

#include "macros/MacroManager.h"

class Terminal;

// Macro mode: the product check that enters it and opens the macro manager, and DoneMacro
// that leaves it.
class MacroSession
{
public:
    explicit MacroSession(Terminal &terminal)
        : m_terminal(terminal)
        , m_manager(terminal)
    {
    }

    void DoMacros_Click();
    void DoneMacro();

    MacroManager &manager() { return m_manager; }

private:
    Terminal &m_terminal;
    MacroManager m_manager;
};
