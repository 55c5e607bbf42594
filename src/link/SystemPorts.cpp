#include "link/SystemPorts.h"

#include "link/NullBackend.h"
#include "link/SerialBackend.h"
#include "link/SimBackend.h"
#include "sim/SimLine.h"

#include <QSerialPortInfo>

namespace {
const QLatin1String SimPort("SIM");
}

SystemPorts::SystemPorts()
    : m_sim(std::make_unique<SimLine>())
{
}

SystemPorts::~SystemPorts() = default;

std::unique_ptr<PortBackend> SystemPorts::create(const QString &portName)
{
    const QString device = deviceFor(portName);
    if (device.isEmpty() || device == QLatin1String("None"))
        return std::make_unique<NullBackend>(QStringLiteral("no port chosen"));
    if (device == SimPort)
        return std::make_unique<SimBackend>(*m_sim);
    return std::make_unique<SerialBackend>(device);
}

QStringList SystemPorts::ports()
{
    QStringList list;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        QString description = info.description();
        if (description.isEmpty())
            description = info.manufacturer();
        if (description.isEmpty())
            description = QStringLiteral("Serial port");
        list.append(info.portName() + QLatin1Char('\t') + description);
    }
    list.append(SimPort + QLatin1String("\tVirtual Corvane printer"));
    return list;
}

QString SystemPorts::deviceFor(const QString &portText)
{
    // A list entry carries its description after a tab or the four blanks that replace it.
    QString name = portText;
    const qsizetype tab = name.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        name.truncate(tab);
    const qsizetype blanks = name.indexOf(QLatin1String("    "));
    if (blanks >= 0)
        name.truncate(blanks);
    return name.trimmed();
}

VirtualPrinter &SystemPorts::virtualPrinter()
{
    return m_sim->printer();
}

void SystemPorts::setVirtualPrinterOpened(std::function<void()> handler)
{
    m_sim->setFirstOpenHandler(std::move(handler));
}
