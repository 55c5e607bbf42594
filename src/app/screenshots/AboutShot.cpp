#include "ScreenshotContext.h"
#include "ScreenshotRegistry.h"

#include "about/PathSystemKeys.h"
#include "about/ui/frmAbout.h"
#include "terminal/Terminal.h"
#include "terminal/ui/frmTerminal.h"

namespace {

// The About box as Help > About shows it.
QWidget *aboutBox(ScreenshotContext &context)
{
    // Only looked at when System Info is pressed, which a screenshot never does.
    static PathSystemKeys keys;
    return new frmAbout(context.terminal().op(), keys, &context.mainWindow());
}

const bool registered = ScreenshotRegistry::add(QStringLiteral("about"), aboutBox);

} // namespace
