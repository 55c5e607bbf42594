#include "ScreenshotContext.h"
#include "ScreenshotRegistry.h"

#include "terminal/Terminal.h"
#include "terminal/ui/frmTerminal.h"

#include <QPlainTextEdit>

namespace {

// The main window after a command and its answer, with both histories filled.
QWidget *mainWindow(ScreenshotContext &context)
{
    Terminal &t = context.terminal();
    frmTerminal &window = context.mainWindow();
    t.Settings.IOPort = QStringLiteral("ttyUSB0");
    t.DispPort();
    t.changeControls([](TerminalControls &c) {
        c.commandHistory = {QStringLiteral("[ESC]a<1>Corvane 4200<10>"), QStringLiteral("[GS]r<1>"),
                            QStringLiteral("[ESC]@")};
        c.commandLine = c.commandHistory.first();
        c.scriptHistory = {QStringLiteral("/home/demo/scripts/receipt.dmo")};
        c.fileName = c.scriptHistory.first();
    });
    t.Show_Info(QStringLiteral("\r\n[ESC]@"));
    t.Show_Info(QStringLiteral("\r\n[ESC]a[SOH]Corvane 4200[LF]"));
    t.Show_Info(QStringLiteral("\r\n[GS]r[SOH]"));
    t.Show_Info(QStringLiteral("\r\n[ACK]<08>\r\n**Cover is Open**"));
    // Keys typed so far in the Interactive box.
    if (auto *indata = window.findChild<QPlainTextEdit *>(QStringLiteral("Indata")))
        indata->setPlainText(QStringLiteral("Hello printer"));
    return &window;
}

const bool registered = ScreenshotRegistry::add(QStringLiteral("main-window"), mainWindow);

} // namespace
