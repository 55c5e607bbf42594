#pragma once

#include "sim/VirtualPrinter.h"

#include <QByteArray>

#include <functional>

// The line to the program's built-in virtual printer: the printer, the answers it has given
// that the host has not read yet, and what to do the first time the line opens. It lives as
// long as the program, so the printer's state survives the port closing between operations.
class SimLine
{
public:
    SimLine();

    VirtualPrinter &printer() { return m_printer; }

    void write(const QByteArray &bytes) { m_printer.receive(bytes); }
    // Up to count answer bytes, at once: the printer answers as soon as it is asked.
    QByteArray read(int count);
    // Runs the first-open handler the first time the line opens.
    void opened();
    void setFirstOpenHandler(std::function<void()> handler) { m_firstOpen = std::move(handler); }

private:
    VirtualPrinter m_printer;
    QByteArray m_answers;
    std::function<void()> m_firstOpen;
    bool m_everOpened = false;
};
