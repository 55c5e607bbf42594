#include "macros/MacroSession.h"

#include "terminal/Terminal.h"

void MacroSession::DoMacros_Click()
{
}

void MacroSession::DoneMacro()
{
}
