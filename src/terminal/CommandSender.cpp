#include "terminal/CommandSender.h"

#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/Terminal.h"

void CommandSender::SendCommand_Click()
{
}

void CommandSender::Send_Data()
{
    Terminal &t = m_terminal;
    const bool wasSending = m_sending;
    m_sending = true;
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
            t.OutBuf.remove(0, w);
        }
        if (!lastFailed && n == 0)
            break;
        const auto answer = t.op().message(
            QStringLiteral("Unable to output data. Press OK to continue."),
            Operator::Buttons::OkCancel);
        if (answer != Operator::Answer::Ok)
            break;
    }
    if (n == 0)
        t.OutBuf.clear();
    m_sending = wasSending;
}

void CommandSender::Indata_KeyPress(quint8)
{
}
