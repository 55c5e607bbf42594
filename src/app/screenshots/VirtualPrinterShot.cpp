#include "ScreenshotContext.h"
#include "ScreenshotRegistry.h"

#include "sim/VirtualPrinter.h"
#include "sim/ui/VirtualPrinterWindow.h"
#include "terminal/ui/frmTerminal.h"

namespace {

// The Virtual Printer window after a demonstration receipt, with paper low and drawer 1 open.
QWidget *virtualPrinter(ScreenshotContext &context)
{
    auto *printer = new VirtualPrinter;
    auto *window = new VirtualPrinterWindow(*printer, &context.mainWindow());
    printer->setParent(window);
    QByteArray receipt("\x1b@\x1b"
                       "a\x01"
                       "CORVANE DEMO STORE\n12 Harbour Road\n\n\x1b"
                       "a");
    receipt += '\0';
    receipt += "Coffee                      2.50\n"
               "Bagel                       1.95\n"
               "--------------------------------\n"
               "Total                       4.45\n\n"
               "Thank you for visiting!\n";
    printer->receive(receipt);
    printer->setPaperLow(true);
    printer->setDrawerOpen(1, true);
    window->resize(window->sizeHint().width(), 360);
    return window;
}

const bool registered = ScreenshotRegistry::add(QStringLiteral("virtual-printer"), virtualPrinter);

} // namespace
