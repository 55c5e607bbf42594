#pragma once

#include "support/ScriptedPorts.h"
#include "support/TestOperator.h"
#include "support/TestPacer.h"
#include "terminal/Terminal.h"

#include <QString>

// A terminal core wired to a scripted line, a scripted operator and a virtual clock, with
// every transcript text collected.
struct TestTerminal
{
    TestTerminal();

    ScriptedPorts ports;
    TestOperator op;
    TestPacer pacer;
    Terminal terminal;
    QString transcript;

    ScriptedLine &line() { return ports.line; }
};
