#pragma once

class Terminal;

// The File menu's log items: opening a log (with the replace question) and closing it.
class LogControl
{
public:
    explicit LogControl(Terminal &terminal) : m_terminal(terminal) {}

    void MOpenLog_Click();
    void MCloseLog_Click();

private:
    Terminal &m_terminal;
};
