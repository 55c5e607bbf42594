#pragma once

#include "link/PortProvider.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

// A printer played by the test: records every call the control makes, accepts a set number
// of bytes per write and answers with queued bytes.
struct ScriptedLine
{
    // Every call, in order: "open baud=...", "close", "flow 2", "write 414243",
    // "read 1 1000 100", "break on", "break off".
    QStringList calls;
    // Bytes the printer received, all writes joined.
    QByteArray received;
    // Each write, as handed to the line.
    QList<QByteArray> writes;
    // Bytes waiting to be read.
    QByteArray pending;
    // Bytes a write takes; negative takes everything.
    qint64 acceptPerWrite = -1;
    bool canOpen = true;
    bool open = false;
    int opens = 0;
    int closes = 0;
    // Runs after every write with the bytes taken, for a printer that answers.
    std::function<void(const QByteArray &)> onWrite;
    // Runs on every read that finds nothing pending, before it returns empty.
    std::function<void()> onEmptyRead;
};

class ScriptedPorts : public PortProvider
{
public:
    std::unique_ptr<PortBackend> create(const QString &portName) override;
    QStringList ports() override { return portList; }

    ScriptedLine line;
    QStringList portList;
    QStringList createdFor;
};
