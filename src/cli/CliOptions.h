#pragma once

#include "link/PortSettings.h"
#include "terminal/Terminal.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One thing the command-line tool does, in the order given.
struct CliAction
{
    enum class Kind { Send, GetResponse, Break, Script };
    Kind kind = Kind::Send;
    // The command line for Send, the file for Script.
    QString argument;
};

// Everything the command line asks for; the defaults are the terminal's first-run values.
struct CliOptions
{
    PortSettings settings;
    DisplayMode displayMode = DisplayMode::Normal;
    bool autoQuery = true;
    bool transcript = true;
    QString packetSize = QStringLiteral("20");
    QString logFile;
    QList<CliAction> actions;
};

// The outcome of reading the arguments: options, a request for help, or a usage error.
struct CliParse
{
    std::optional<CliOptions> options;
    bool help = false;
    QString error;
};

// Reads the arguments that follow the program name.
CliParse parseCliArguments(const QStringList &arguments);

QString cliUsage();
