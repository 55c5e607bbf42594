#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class ScriptRun;
class ScriptRunner;
class Terminal;
struct CommandToken;

// The commands of a script line: reads the token that starts with "{" and carries out
// the command it names, from a break or a pause to a nested script.
class ScriptCommands
{
public:
    ScriptCommands(Terminal &terminal, ScriptRunner &runner)
        : m_terminal(terminal)
        , m_runner(runner)
    {
    }

    // Writes out what is pending, reads the command at the front of run.line and carries
    // it out; returns the bytes to emit in its place (none for most commands).
    QByteArray read(ScriptRun &run);

    // Largest GRAPHIC write: the file goes out in pieces of this many bytes.
    static constexpr qsizetype GraphicPiece = 2001;

private:
    QByteArray carryOut(const CommandToken &token, ScriptRun &run);
    void graphic(const QString &path);
    void getResponse();
    void pause(qint16 seconds);
    void changeCounter(qint16 &counter, char name, char how, QByteArrayView argument);
    // A text the command inserts, echoed first when the Transcript box is checked.
    QByteArray inserted(const QByteArray &text);
    // The number value of an argument; a message naming it when it is out of range.
    std::optional<qint16> number(QByteArrayView argument);
    void tell(const QString &text);

    Terminal &m_terminal;
    ScriptRunner &m_runner;
};
