#include "ScreenshotContext.h"

#include "link/NullBackend.h"
#include "terminal/Terminal.h"
#include "terminal/ui/frmTerminal.h"

ScreenshotContext::ScreenshotContext()
    : m_terminal(std::make_unique<Terminal>(m_ports, m_operator, m_pacer, m_pacer))
{
}

ScreenshotContext::~ScreenshotContext()
{
    m_mainWindow.reset();
    m_terminal.reset();
}

frmTerminal &ScreenshotContext::mainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<frmTerminal>(*m_terminal);
        m_mainWindow->Form_Load();
    }
    return *m_mainWindow;
}

std::unique_ptr<PortBackend> ScreenshotContext::SamplePorts::create(const QString &)
{
    return std::make_unique<NullBackend>(QStringLiteral("screenshots reach no printer"));
}

QStringList ScreenshotContext::SamplePorts::ports()
{
    return {QStringLiteral("ttyS0\tBuilt-in serial port"),
            QStringLiteral("ttyUSB0\tUSB-to-serial adapter"),
            QStringLiteral("SIM\tVirtual Corvane printer")};
}

Operator::Answer ScreenshotContext::SilentOperator::message(const QString &, Buttons buttons, Icon,
                                                            const QString &)
{
    // Cancel wherever it is offered, so that no retry loop runs forever.
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

QDateTime ScreenshotContext::InstantPacer::now()
{
    // A fixed moment, so that dates and times in screenshots do not change between runs.
    return QDateTime(QDate(2026, 3, 14), QTime(17, 45, 12));
}
