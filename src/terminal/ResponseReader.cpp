#include "terminal/ResponseReader.h"

#include "terminal/Pacer.h"
#include "terminal/ResponseDisplay.h"
#include "terminal/Terminal.h"

void ResponseReader::Getresp_Click()
{
    Terminal &t = m_terminal;
    POSPrinter &printer = t.printer();
    // Only the first two bytes decide the status message, so only they are kept.
    QByteArray answerStart;
    t.preparePort();
    // A slow printer gets a second for its first byte; after that a quiet 10 ms ends it.
    printer.SetTimeouts(1000, 100);
    QByteArray byte = printer.ReadData(1);
    printer.SetTimeouts(10, 10);
    if (byte.isEmpty()) {
        t.Show_Info(QStringLiteral("\r\n** No Responce**\r\n"));
    } else {
        t.Show_Info(QStringLiteral("\r\n"));
        while (!byte.isEmpty()) {
            if (answerStart.size() < 2)
                answerStart += byte.left(2 - answerStart.size());
            // The mode is read for every byte: the operator may switch it mid-answer.
            t.Show_Info(receivedByteText(static_cast<quint8>(byte.at(0)), t.input().displayMode));
            t.pacer().doEvents();
            byte = printer.ReadData(1);
        }
        const QString message = statusMessage(answerStart);
        if (!message.isEmpty())
            t.Show_Info(QStringLiteral("\r\n") + message + QStringLiteral("\r\n"));
        t.pacer().doEvents();
    }
    Q_EMIT t.focusInteractive();
    printer.ClosePort();
    t.releasePort();
}
