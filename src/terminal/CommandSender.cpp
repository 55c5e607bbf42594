#include "terminal/CommandSender.h"

#include "terminal/CommandEncoding.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/ResponseReader.h"
#include "terminal/Terminal.h"

namespace {

const QString lineBreak = QStringLiteral("\r\n");

// Sets a flag for as long as it lives and restores what it was.
class FlagScope
{
public:
    explicit FlagScope(bool &flag)
        : m_flag(flag)
        , m_was(flag)
    {
        m_flag = true;
    }
    ~FlagScope() { m_flag = m_was; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

} // namespace

void CommandSender::SendCommand_Click()
{
    if (m_sending)
        return;
    Terminal &t = m_terminal;
    {
        const FlagScope busy(m_sending);
        t.OutBuf.clear();
        if (!t.MacroMode)
            t.preparePort();
        const QString line = t.input().commandLine;
        if (!line.isEmpty()) {
            t.changeControls([&line](TerminalControls &c) {
                Terminal::useHistoryEntry(c.commandHistory, line);
                c.commandLine = line;
            });
            t.Show_Info(lineBreak);
            QByteArray remaining = toLatin1Bytes(line);
            while (!remaining.isEmpty()) {
                const Token token = Next_Token(remaining);
                if (token.outOfRange)
                    t.op().message(valueTooLargeMessage());
                const auto byte = static_cast<quint8>(token.outOfRange ? '\0' : token.byte);
                t.OutBuf.append(static_cast<char>(byte));
                t.Show_Info(sentByteEcho(byte));
                if (byte == '\r' || byte == '\n')
                    t.Show_Info(lineBreak);
            }
        }
        if (!t.OutBuf.isEmpty())
            Send_Data();
    }
    if (t.input().autoQuery) {
        t.pacer().sleep(100);
        t.printer().ClosePort();
        t.responses().Getresp_Click();
    }
    Q_EMIT t.focusInteractive();
    t.releasePort();
}

void CommandSender::Send_Data()
{
    Terminal &t = m_terminal;
    if (t.OutBuf.isEmpty())
        return;
    const FlagScope busy(m_sending);
    qint64 n = 0;
    for (;;) {
        n = t.OutBuf.size();
        int tries = 20;
        bool lastFailed = true;
        while (n > 0 && tries > 0) {
            const bool accepted = t.printer().WriteData(t.OutBuf, n) != 0;
            const qint64 w = accepted ? t.printer().BytesWritten() : 0;
            lastFailed = !accepted;
            if (!accepted || w == 0) {
                t.pacer().doEvents();
                t.pacer().sleep(100);
                --tries;
            }
            n -= w;
            if (n == 0)
                break;
            // Dropping the front of an unshared QByteArray only moves its start.
            t.OutBuf.remove(0, w);
        }
        if (!lastFailed && n == 0)
            break;
        const auto answer =
            t.op().message(QStringLiteral("Unable to output data. Press OK to continue."),
                           Operator::Buttons::OkCancel);
        if (answer != Operator::Answer::Ok)
            break;
    }
    if (n == 0)
        t.OutBuf.clear();
    else
        ++m_cancelledOutputs;
}

void CommandSender::Indata_KeyPress(quint8 KeyAscii)
{
    Terminal &t = m_terminal;
    if (!t.MacroMode)
        t.preparePort();
    POSPrinter &printer = t.printer();
    printer.WriteData(QByteArray(1, static_cast<char>(KeyAscii)), 1);
    t.Show_Info(sentByteEcho(KeyAscii));
    if (KeyAscii == '\n') {
        t.Show_Info(QStringLiteral("[CR]") + lineBreak);
        printer.WriteData(QByteArray(1, '\r'), 1);
    } else if (KeyAscii == '\r') {
        t.Show_Info(QStringLiteral("[LF]") + lineBreak);
        printer.WriteData(QByteArray(1, '\n'), 1);
        Q_EMIT t.interactiveCleared();
    }
    t.releasePort();
}
