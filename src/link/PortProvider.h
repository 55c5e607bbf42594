#pragma once

#include "link/PortBackend.h"

#include <QStringList>

#include <memory>

// Turns a port name into the backend that reaches it, and lists the ports to offer.
class PortProvider
{
public:
    virtual ~PortProvider() = default;
    // Never null: a name that reaches nothing gets a backend that refuses everything.
    virtual std::unique_ptr<PortBackend> create(const QString &portName) = 0;
    // One entry per port: the name, a tab, a description.
    virtual QStringList ports() = 0;
};
