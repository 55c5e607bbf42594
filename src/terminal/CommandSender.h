#pragma once

#include <QtGlobal>

class Terminal;

// Send Command, the output buffer's writer Send_Data and the Interactive box's keys.
class CommandSender
{
public:
    explicit CommandSender(Terminal &terminal) : m_terminal(terminal) {}

    void SendCommand_Click();
    // Writes OutBuf with retries; leaves in it only what the operator gave up on.
    void Send_Data();
    void Indata_KeyPress(quint8 KeyAscii);

    // True while Send_Data is writing or waiting between tries.
    bool sending() const { return m_sending; }

private:
    Terminal &m_terminal;
    bool m_sending = false;
};
