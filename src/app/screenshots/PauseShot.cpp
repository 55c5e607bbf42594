#include "ScreenshotContext.h"
#include "ScreenshotRegistry.h"

#include "script/ui/FrmPause.h"
#include "terminal/Terminal.h"
#include "terminal/ui/frmTerminal.h"

namespace {

// The pause window of a script's {PAUSE:5}, in its first second.
QWidget *pauseWindow(ScreenshotContext &context)
{
    frmTerminal &window = context.mainWindow();
    Q_EMIT context.terminal().pauseShown(5);
    return window.findChild<FrmPause *>();
}

const bool registered = ScreenshotRegistry::add(QStringLiteral("pause-window"), pauseWindow);

} // namespace
