#include "ScreenshotContext.h"
#include "ScreenshotRegistry.h"

#include "macros/MacroSession.h"
#include "macros/ui/frmMacro.h"
#include "terminal/Terminal.h"
#include "terminal/ui/frmTerminal.h"

namespace {

// The macro manager of a CV4700 with a listing of three macros, one of them in Extended
// Store.
QWidget *macroManager(ScreenshotContext &context)
{
    MacroManager &manager = context.terminal().macros().manager();
    MacroControls &c = manager.input();
    c.macroName = QStringLiteral("Logo");
    c.extStoreEnabled = true;
    c.macroStatus =
        QStringLiteral("120    U      Demo\n48     U      Logo\n310    E      Footer\n");
    auto *window = new frmMacro(manager, &context.mainWindow());
    window->Form_Initialize(&context.mainWindow());
    return window;
}

const bool registered = ScreenshotRegistry::add(QStringLiteral("macro-manager"), macroManager);

} // namespace
