#pragma once

#include "script/ScriptCommands.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

class ScriptFile;
class ScriptRunner;
class Terminal;

// One call of Run_Script: its own file, mode, folder, packet threshold and pending
// repetitions; the main loop over the file, the token loop over each line and the output
// of the bytes in packets.
class ScriptRun
{
public:
    ScriptRun(Terminal &terminal, ScriptRunner &runner, const QString &fileName, qint16 packetSize,
              std::unique_ptr<ScriptFile> file);
    ~ScriptRun();
    ScriptRun(const ScriptRun &) = delete;
    ScriptRun &operator=(const ScriptRun &) = delete;

    // Runs the file to its end, or to a packet whose output the operator cancelled, and
    // ends the run.
    void execute();

    // The folder part of a name, up to and including its last separator; the last
    // character is never looked at.
    static QString scriptDirOf(const QString &fileName);
    // Names ending in DMO, in any letter case, are scripts; anything else is sent raw.
    static bool isScriptName(const QString &boxText);

    const QString FileName;
    const QString ScriptDir;
    const bool ScriptMode;
    const qint16 PacketSize;
    // The unprocessed rest of the current line.
    QByteArray line;
    QByteArray RepeatLine;
    qint16 RepeatCount = 0;

private:
    // False when the run must end at once.
    bool processLine();
    bool emitToken(QByteArrayView text);
    void echo(QByteArrayView text);
    void finish();

    Terminal &m_terminal;
    std::unique_ptr<ScriptFile> m_file;
    ScriptCommands m_commands;
};
