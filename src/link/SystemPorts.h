#pragma once

#include "link/PortProvider.h"

#include <functional>

class SimLine;
class VirtualPrinter;

// The ports of this machine: its serial devices, by short name or full path, and "SIM", the
// program's built-in virtual printer.
class SystemPorts : public PortProvider
{
public:
    SystemPorts();
    ~SystemPorts() override;

    std::unique_ptr<PortBackend> create(const QString &portName) override;
    QStringList ports() override;

    // The device a port text names: a short name ("ttyUSB0"), a full path, or a list entry
    // with its description after the name; empty when it names none.
    static QString deviceFor(const QString &portText);

    // The one virtual printer behind "SIM"; its state lasts as long as this object.
    VirtualPrinter &virtualPrinter();
    // Runs the first time the "SIM" port opens, so that a window can show the printer.
    void setVirtualPrinterOpened(std::function<void()> handler);

private:
    std::unique_ptr<SimLine> m_sim;
};
