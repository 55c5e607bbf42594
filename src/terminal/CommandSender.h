#pragma once

#include <QtGlobal>

class Terminal;

// Send Command, the output buffer's writer Send_Data and the Interactive box's keys.
class CommandSender
{
public:
    explicit CommandSender(Terminal &terminal)
        : m_terminal(terminal)
    {
    }

    // Ignored while a send is in progress, so that OutBuf is never emptied under it.
    void SendCommand_Click();
    // Writes OutBuf with retries; leaves in it only what the operator gave up on.
    void Send_Data();
    void Indata_KeyPress(quint8 KeyAscii);

    // True while Send Command fills OutBuf or Send_Data writes it or waits between tries.
    bool sending() const { return m_sending; }
    // How many times Send_Data has ended with bytes the operator gave up on.
    int cancelledOutputs() const { return m_cancelledOutputs; }

private:
    Terminal &m_terminal;
    bool m_sending = false;
    int m_cancelledOutputs = 0;
};
