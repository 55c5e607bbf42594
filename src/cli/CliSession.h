#pragma once

#include "cli/CliOperator.h"
#include "cli/CliOptions.h"
#include "cli/ReportingPorts.h"
#include "link/SystemPorts.h"
#include "terminal/IdleTimer.h"
#include "terminal/Pacer.h"
#include "terminal/Terminal.h"

#include <cstdio>

// One run of the command-line tool: a terminal core set up from the options, its transcript
// on standard output, and the actions run in order.
class CliSession
{
public:
    enum ExitStatus { Success = 0, Failed = 1, UsageError = 2 };

    CliSession(const CliOptions &options, std::FILE *transcriptOut);
    ~CliSession();

    ExitStatus run();

private:
    CliOptions m_options;
    std::FILE *m_out;
    SystemPorts m_systemPorts;
    CliOperator m_operator;
    ReportingPorts m_ports;
    RealPacer m_pacer;
    QtIdleTimer m_timer;
    Terminal m_terminal;
};
