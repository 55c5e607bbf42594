#include "script/ScriptRunner.h"

#include "terminal/Terminal.h"

void ScriptRunner::GetFileName_Click()
{
}

void ScriptRunner::SendScript_Click()
{
}

void ScriptRunner::LoopButton_Click()
{
}

void ScriptRunner::Run_Script(const QString &)
{
}
