#include "terminal/LogControl.h"

#include "terminal/Terminal.h"

void LogControl::MOpenLog_Click()
{
}

void LogControl::MCloseLog_Click()
{
    m_terminal.Log.close();
    m_terminal.changeControls([](TerminalControls &c) {
        c.logOpen = false;
        c.caption = QStringLiteral("Corvane 4200");
    });
}
