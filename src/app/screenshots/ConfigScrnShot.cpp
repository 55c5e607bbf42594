#include "ScreenshotContext.h"
#include "ScreenshotRegistry.h"

#include "link/ui/ConfigScrn.h"
#include "terminal/Terminal.h"
#include "terminal/ui/frmTerminal.h"

#include <QAction>

namespace {

// The Communication Settings dialog opened from Port > Settings..., with a port chosen and
// settings other than the defaults.
QWidget *configScrn(ScreenshotContext &context)
{
    frmTerminal &window = context.mainWindow();
    Terminal &t = context.terminal();
    t.Settings.IOPort = QStringLiteral("ttyUSB0");
    t.Settings.BaudRate = QStringLiteral("115200");
    t.Settings.Flow = 1;
    window.findChild<QAction *>(QStringLiteral("MSettings"))->trigger();
    return window.findChild<ConfigScrn *>(QStringLiteral("ConfigScrn"));
}

const bool registered = ScreenshotRegistry::add(QStringLiteral("config-scrn"), configScrn);

} // namespace
