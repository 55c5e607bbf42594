#pragma once

#include "link/PortProvider.h"

// The ports of this machine: its serial devices, by short name or full path.
class SystemPorts : public PortProvider
{
public:
    std::unique_ptr<PortBackend> create(const QString &portName) override;
    QStringList ports() override;

    // The device a port text names: a short name ("ttyUSB0"), a full path, or a list entry
    // with its description after the name; empty when it names none.
    static QString deviceFor(const QString &portText);
};
