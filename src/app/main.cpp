#include "link/SystemPorts.h"
#include "sim/ui/VirtualPrinterWindow.h"
#include "terminal/IdleTimer.h"
#include "terminal/Pacer.h"
#include "terminal/Terminal.h"
#include "terminal/ui/WidgetOperator.h"
#include "terminal/ui/frmTerminal.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Terminal"));
    QApplication::setApplicationName(QStringLiteral("Terminal"));

    SystemPorts ports;
    WidgetOperator op;
    RealPacer pacer;
    QtIdleTimer timer;
    Terminal terminal(ports, op, pacer, timer);
    frmTerminal window(terminal);
    op.setParentWindow(&window);
    VirtualPrinterWindow::showOnFirstOpen(ports, &window);
    // Closing the main window ends the program at once, whatever else is open or running.
    window.setEndProgram([] { std::exit(0); });
    window.Form_Load();
    window.show();
    return app.exec();
}
