#include "script/ScriptRun.h"

#include "script/CommandToken.h"
#include "script/ScriptFile.h"
#include "terminal/CommandEncoding.h"
#include "terminal/CommandSender.h"
#include "terminal/Operator.h"
#include "terminal/Terminal.h"

#include <array>

namespace {

// Raw mode reads and emits the file in blocks of this size.
constexpr qsizetype RawBlock = 1024;

// The transcript echo of one byte, built once: each byte is echoed on its own, and a
// shared text costs no allocation per byte.
const QString &echoOf(unsigned char v)
{
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> all;
        for (int b = 0; b < 256; ++b) {
            if (b < 32)
                all[b] = QString::fromLatin1(ControlMnemonics()[b]);
            else if (b > 127)
                all[b] = QStringLiteral("< %1>").arg(b);
            else
                all[b] = QString(QChar(b));
        }
        return all;
    }();
    return texts[v];
}

const QString &lineBreak()
{
    static const QString text = QStringLiteral("\r\n");
    return text;
}

} // namespace

ScriptRun::ScriptRun(Terminal &terminal, ScriptRunner &runner, const QString &fileName,
                     qint16 packetSize, std::unique_ptr<ScriptFile> file)
    : FileName(fileName)
    , ScriptDir(scriptDirOf(fileName))
    , ScriptMode(isScriptName(terminal.controls().fileName))
    , PacketSize(packetSize)
    , m_terminal(terminal)
    , m_file(std::move(file))
    , m_commands(terminal, runner)
{
}

ScriptRun::~ScriptRun() = default;

QString ScriptRun::scriptDirOf(const QString &fileName)
{
    for (qsizetype i = fileName.size() - 2; i >= 0; --i) {
        const QChar c = fileName.at(i);
#ifdef Q_OS_WIN
        const bool separator = c == u'/' || c == u'\\' || c == u':';
#else
        const bool separator = c == u'/' || c == u'\\';
#endif
        if (separator)
            return fileName.left(i + 1);
    }
    return {};
}

bool ScriptRun::isScriptName(const QString &boxText)
{
    return boxText.right(3).toUpper() == QLatin1String("DMO");
}

void ScriptRun::execute()
{
    Terminal &t = m_terminal;
    RepeatCount = 0;
    t.OutBuf.clear();
    t.changeControls([](TerminalControls &c) {
        c.sendCommandEnabled = false;
        c.getrespEnabled = false;
    });
    for (;;) {
        if (m_file->endMet() && RepeatCount <= 0)
            break;
        if (!ScriptMode) {
            if (!emitToken(m_file->readBlock(RawBlock)))
                break;
            continue;
        }
        if (RepeatCount > 0) {
            --RepeatCount;
            line = RepeatLine;
        } else {
            line = m_file->readLine();
            if (line.isEmpty())
                break;
        }
        if (!processLine())
            break;
    }
    finish();
}

bool ScriptRun::processLine()
{
    Terminal &t = m_terminal;
    while (!line.isEmpty()) {
        const char first = line.at(0);
        if (static_cast<unsigned char>(first) < 32 || first == '`') {
            line.clear();
            break;
        }
        char byte = first;
        QByteArrayView text(&byte, 1);
        qsizetype used = 1;
        QByteArray inserted;
        if (first == '<' || first == '[') {
            const auto token = first == '<' ? readNumberGroup(line) : readMnemonic(line);
            if (token) {
                used = token->length;
                byte = token->byte;
                if (token->outOfRange) {
                    t.op().message(valueTooLargeMessage());
                    byte = 0;
                }
            }
        } else if (first == '\\' && line.size() >= 2) {
            used = 2;
            byte = line.at(1);
            if (byte == 'n')
                text = "\r\n";
            else if (byte == 't')
                byte = '\t';
        } else if (first == '{') {
            inserted = m_commands.read(*this);
            text = inserted;
            used = 0;
        }
        if (used > 0)
            dropFromLine(line, used);
        if (!emitToken(text))
            return false;
    }
    return true;
}

bool ScriptRun::emitToken(QByteArrayView text)
{
    if (text.isEmpty())
        return true;
    Terminal &t = m_terminal;
    t.OutBuf.append(text);
    if (t.OutBuf.size() >= PacketSize) {
        t.commands().Send_Data();
        if (!t.OutBuf.isEmpty()) {
            t.OutBuf.clear();
            return false;
        }
    }
    if (ScriptMode && t.controls().echo)
        echo(text);
    return true;
}

void ScriptRun::echo(QByteArrayView text)
{
    Terminal &t = m_terminal;
    if (text.size() != 1) {
        t.Show_Info(lineBreak());
        return;
    }
    const auto v = static_cast<unsigned char>(text.at(0));
    t.Show_Info(echoOf(v));
    if (v == 10)
        t.Show_Info(lineBreak());
}

void ScriptRun::finish()
{
    Terminal &t = m_terminal;
    if (!t.OutBuf.isEmpty())
        t.commands().Send_Data();
    m_file->close();
    t.changeControls([](TerminalControls &c) {
        c.sendCommandEnabled = true;
        c.getrespEnabled = true;
    });
    Q_EMIT t.focusInteractive();
}
