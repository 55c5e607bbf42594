#include "macros/MacroSession.h"

#include "macros/MacroProtocol.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/Terminal.h"

void MacroSession::DoMacros_Click()
{
    Terminal &t = m_terminal;
    POSPrinter &printer = t.printer();
    // The idle timer must not close the port during the check, nor afterwards while macro
    // mode holds it; the timer is not restarted.
    t.PortIdle = false;
    printer.OpenPort(t.Settings.IOPort, t.Settings.ModeString());
    printer.SetFlowControl(t.Settings.Flow);
    t.PortOpen = true;
    t.Get_Info();
    const QByteArray query = MacroProtocol::productQuery();
    t.Send_Info(query, query.size());
    t.pacer().sleep(200);
    const QByteArray answer = t.Get_Info();
    t.HasExtStore = false;
    const QByteArray name = MacroProtocol::productName(answer);
    if (!MacroProtocol::isCompatible(name)) {
        printer.ClosePort();
        t.op().message(
            QStringLiteral("This product or emulation is not compatable with Qlix Macros"));
        return;
    }
    t.HasExtStore = MacroProtocol::hasExtendedStore(name);
    t.changeControls([](TerminalControls &c) { c.getrespEnabled = false; });
    t.MacroMode = true;
    m_manager.Show();
}

void MacroSession::DoneMacro()
{
    Terminal &t = m_terminal;
    t.PortIdle = true;
    if (t.PortOpen) {
        t.printer().ClosePort();
        t.PortOpen = false;
    }
    t.MacroMode = false;
    t.changeControls([](TerminalControls &c) { c.getrespEnabled = true; });
}
