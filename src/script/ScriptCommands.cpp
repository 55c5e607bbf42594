#include "script/ScriptCommands.h"

#include "script/CommandToken.h"
#include "script/ScriptRun.h"
#include "script/ScriptRunner.h"
#include "script/ScriptValues.h"
#include "terminal/CommandSender.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/ResponseReader.h"
#include "terminal/Terminal.h"

#include <QFile>

namespace {

QString quoted(QByteArrayView text)
{
    return QLatin1Char('"') + QString::fromLatin1(text) + QLatin1Char('"');
}

QString outOfRange(const QString &what)
{
    return what + QStringLiteral(" is not a number from -32768 to 32767. Press OK to continue");
}

} // namespace

QByteArray ScriptCommands::read(ScriptRun &run)
{
    Terminal &t = m_terminal;
    // Everything before a command reaches the printer before the command acts.
    if (!t.OutBuf.isEmpty()) {
        t.commands().Send_Data();
        t.OutBuf.clear();
    }
    const CommandToken token = readCommandToken(run.line);
    if (token.abandoned)
        return token.plain ? QByteArray(1, *token.plain) : QByteArray();
    return carryOut(token, run);
}

QByteArray ScriptCommands::carryOut(const CommandToken &token, ScriptRun &run)
{
    Terminal &t = m_terminal;
    const QByteArray &name = token.name;
    const QByteArray &arg = token.argument;
    if (name == "GRAPHIC") {
        graphic(run.ScriptDir + QFile::decodeName(arg));
    } else if (name == "BREAKON") {
        t.printer().SetBreak(1, QString());
    } else if (name == "BREAKOFF") {
        t.printer().SetBreak(2, QString());
    } else if (name == "BREAK") {
        if (const auto ms = number(arg)) {
            t.printer().SetBreak(1, QString());
            t.pacer().sleep(qMax<int>(0, *ms));
            t.printer().SetBreak(2, QString());
        }
    } else if (name == "STOP") {
        tell(QStringLiteral("Script Stopped Press OK to continue"));
    } else if (name == "ECHO") {
        QByteArray text = run.line;
        // The line's terminator would show as a stray line break.
        if (!text.isEmpty() && static_cast<unsigned char>(text.back()) < 32)
            text.chop(1);
        tell(QString::fromLatin1(text));
        run.line.clear();
    } else if (name == "REM") {
        run.line.clear();
    } else if (name == "PAUSE") {
        if (const auto seconds = number(arg))
            pause(*seconds);
    } else if (name == "WAIT") {
        if (const auto ms = number(arg))
            t.pacer().sleep(qMax<int>(0, *ms));
    } else if (name == "DO") {
        m_runner.doScript(run.ScriptDir + QFile::decodeName(arg));
    } else if (name == "RPT") {
        if (const auto count = number(arg)) {
            run.RepeatLine = run.line;
            run.RepeatCount = *count;
            run.line.clear();
        }
    } else if (name == "DATE") {
        return inserted(ScriptValues::dateText(t.pacer().now().date(), QLocale::system()));
    } else if (name == "TIME") {
        return inserted(ScriptValues::timeText(t.pacer().now().time(), QLocale::system()));
    } else if (name == "A" || name == "B") {
        return inserted(QByteArray::number(name == "A" ? t.CounterA : t.CounterB));
    } else if (name.size() == 2 && (name.at(0) == 'A' || name.at(0) == 'B')) {
        qint16 &counter = name.at(0) == 'A' ? t.CounterA : t.CounterB;
        changeCounter(counter, name.at(0), name.at(1), arg);
    } else if (name == "GET1284") {
        getResponse();
    }
    return {};
}

void ScriptCommands::graphic(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_runner.fileUnreadable(QStringLiteral("graphic file"), path, file.errorString());
        return;
    }
    POSPrinter &printer = m_terminal.printer();
    QByteArray piece;
    for (;;) {
        const QByteArray part = file.read(GraphicPiece - piece.size());
        if (part.isEmpty())
            break;
        piece += part;
        if (piece.size() == GraphicPiece) {
            printer.WriteData(piece, piece.size());
            piece.clear();
        }
    }
    // The last piece goes out even when it is empty.
    printer.WriteData(piece, piece.size());
}

void ScriptCommands::getResponse()
{
    Terminal &t = m_terminal;
    const bool wasOpen = t.printer().isOpen();
    t.responses().Getresp_Click();
    // Get Response always ends by closing the port; the rest of the script still has to
    // reach the printer.
    if (wasOpen && !t.printer().isOpen())
        t.preparePort();
}

void ScriptCommands::pause(qint16 seconds)
{
    Terminal &t = m_terminal;
    for (int left = seconds; left > 0; --left) {
        Q_EMIT t.pauseShown(left);
        t.pacer().doEvents();
        t.pacer().sleep(1000);
    }
    Q_EMIT t.pauseHidden();
}

void ScriptCommands::changeCounter(qint16 &counter, char name, char how, QByteArrayView argument)
{
    const auto value = ScriptValues::integerValue(argument);
    if (!value) {
        tell(outOfRange(QStringLiteral("Counter value ") + quoted(argument)));
        return;
    }
    int result = *value;
    if (how == '+')
        result = counter + *value;
    else if (how == '-')
        result = counter - *value;
    if (result < -32768 || result > 32767) {
        tell(QStringLiteral("Counter %1 cannot become %2: counters hold -32768 to 32767. "
                            "Press OK to continue")
                 .arg(QLatin1Char(name))
                 .arg(result));
        return;
    }
    counter = static_cast<qint16>(result);
}

QByteArray ScriptCommands::inserted(const QByteArray &text)
{
    if (m_terminal.controls().echo)
        m_terminal.Show_Info(QString::fromLatin1(text));
    return text;
}

std::optional<qint16> ScriptCommands::number(QByteArrayView argument)
{
    const auto value = ScriptValues::numberValue(argument);
    if (!value)
        tell(outOfRange(QStringLiteral("Value ") + quoted(argument)));
    return value;
}

void ScriptCommands::tell(const QString &text)
{
    m_terminal.op().message(text);
}
