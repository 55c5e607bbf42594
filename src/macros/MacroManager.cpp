#include "macros/MacroManager.h"

#include "about/HelpDocuments.h"
#include "macros/MacroProtocol.h"
#include "macros/MacroSession.h"
#include "terminal/Operator.h"
#include "terminal/Pacer.h"
#include "terminal/Terminal.h"

void MacroManager::Show()
{
    if (m_loaded) {
        Q_EMIT raiseRequested();
        return;
    }
    Form_Load();
    Q_EMIT loaded();
}

void MacroManager::Form_Load()
{
    m_loaded = true;
    MacroRecordActive = false;
    // Every load starts from the window's own layout; Silent Record is set on top of it.
    changeControls([](MacroControls &c) {
        c = MacroControls();
        c.silent = true;
    });
    m_terminal.Get_Info();
    const bool extStore = m_terminal.HasExtStore;
    changeControls([extStore](MacroControls &c) { c.extStoreEnabled = extStore; });
    Refresh_Status();
}

void MacroManager::Form_Unload()
{
    // A second close while the first is still ending the recording does nothing.
    if (!m_loaded)
        return;
    m_loaded = false;
    if (MacroRecordActive)
        MacroRecord_Click();
    m_terminal.pacer().sleep(500);
    m_terminal.macros().DoneMacro();
    Q_EMIT unloaded();
}

void MacroManager::Refresh_Status()
{
    POSPrinter &printer = m_terminal.printer();
    while (!printer.ReadData(1).isEmpty()) {
    }
    send(MacroProtocol::directoryQuery());
    m_terminal.pacer().doEvents();
    showListing(m_terminal.Get_Info());
    m_terminal.pacer().doEvents();
}

void MacroManager::MacroPlay_Click()
{
    send(MacroProtocol::macroCommand('r', name()));
}

void MacroManager::MacroDel_Click()
{
    send(MacroProtocol::macroCommand('d', name()));
    m_terminal.pacer().doEvents();
    m_terminal.pacer().sleep(1000);
    Refresh_Status();
    m_terminal.pacer().doEvents();
}

void MacroManager::MacroRecord_Click()
{
    const bool silent = m_controls.silent;
    if (!MacroRecordActive) {
        MacroRecordActive = true;
        send(silent ? MacroProtocol::macroCommand('b', name()) : MacroProtocol::recordStart());
        changeControls([](MacroControls &c) { c.recordCaption = QStringLiteral("End Record"); });
        return;
    }
    MacroRecordActive = false;
    send(silent ? MacroProtocol::macroCommand('e', name()) : MacroProtocol::recordEnd(name()));
    changeControls([](MacroControls &c) { c.recordCaption = QStringLiteral("Record"); });
    m_terminal.pacer().doEvents();
    m_terminal.pacer().sleep(500);
    Refresh_Status();
}

void MacroManager::MacroQuery_Click()
{
    changeControls([](MacroControls &c) { c.macroStatus.clear(); });
    m_terminal.pacer().doEvents();
    m_terminal.pacer().sleep(100);
    send(MacroProtocol::directoryQuery());
    showListing(m_terminal.Get_Info());
    m_terminal.pacer().doEvents();
    if (m_controls.prtQuery)
        send(MacroProtocol::macroCommand('q', name()));
}

void MacroManager::Clearext_Click()
{
    if (!confirmExtendedStore(QStringLiteral("This will clear all Extended Store information")))
        return;
    const QByteArray command = MacroProtocol::macroCommand('f', QByteArrayLiteral("EXT"));
    m_terminal.printer().WriteData(command, command.size());
    m_terminal.pacer().doEvents();
    m_terminal.pacer().sleep(2000);
    MacroQuery_Click();
}

void MacroManager::Transfer_Click()
{
    if (!confirmExtendedStore(QStringLiteral("This will transfer User Store to Extended Store")))
        return;
    const QByteArray command = MacroProtocol::macroCommand('t', {});
    m_terminal.printer().WriteData(command, command.size());
    m_terminal.pacer().sleep(2000);
    MacroQuery_Click();
}

void MacroManager::Helpme_Click()
{
    m_terminal.help().CVMacroHelp();
}

void MacroManager::OKButton_Click()
{
    if (MacroRecordActive)
        MacroRecord_Click();
    Form_Unload();
}

QByteArray MacroManager::name() const
{
    return MacroProtocol::nameBytes(m_controls.macroName);
}

void MacroManager::send(const QByteArray &bytes)
{
    m_terminal.Send_Info(bytes, bytes.size());
}

void MacroManager::showListing(const QByteArray &answer)
{
    const QString listing = MacroProtocol::listingText(answer);
    changeControls([&listing](MacroControls &c) { c.macroStatus = listing; });
}

bool MacroManager::confirmExtendedStore(const QString &text)
{
    return m_terminal.op().message(text, Operator::Buttons::OkCancel, Operator::Icon::None,
                                   QStringLiteral("Extended Store")) == Operator::Answer::Ok;
}
