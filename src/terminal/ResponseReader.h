#pragma once

class Terminal;

// Get Response: reads the printer's answer until the line is quiet and shows it.
class ResponseReader
{
public:
    explicit ResponseReader(Terminal &terminal)
        : m_terminal(terminal)
    {
    }

    void Getresp_Click();

private:
    Terminal &m_terminal;
};
