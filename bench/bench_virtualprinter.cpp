// Measures the virtual printer: print data through it, status queries, and the Virtual
// Printer window taking a long print. Run by hand: QT_QPA_PLATFORM=offscreen.
#include "sim/VirtualPrinter.h"
#include "sim/ui/VirtualPrinterWindow.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

QByteArray receipt()
{
    QByteArray r("\x1b@\x1b"
                 "a\x01"
                 "CORVANE DEMO STORE\n\x1b"
                 "a",
                 25);
    r += '\0';
    for (int i = 0; i < 20; ++i)
        r += "Item " + QByteArray::number(i) + "                      9.95\n";
    return r;
}

void printRate(const char *what, qint64 bytes, qint64 ns)
{
    std::printf("%-44s %8.1f MB/s\n", what, double(bytes) / 1e6 / (double(ns) / 1e9));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QByteArray one = receipt();
    QByteArray data;
    while (data.size() < 8 * 1024 * 1024)
        data += one;

    {
        VirtualPrinter printer;
        QElapsedTimer t;
        t.start();
        for (qsizetype i = 0; i < data.size(); i += 64)
            printer.receive(data.mid(i, 64));
        printRate("print, 64-byte writes", data.size(), t.nsecsElapsed());
    }
    {
        VirtualPrinter printer;
        printer.receive(QByteArray("\x1b\x1f"
                                   "bBig",
                                   6) +
                        '\0');
        QElapsedTimer t;
        t.start();
        for (qsizetype i = 0; i < data.size(); i += 64)
            printer.receive(data.mid(i, 64));
        printRate("silent recording, 64-byte writes", data.size(), t.nsecsElapsed());
    }
    {
        VirtualPrinter printer;
        int answers = 0;
        QObject::connect(&printer, &VirtualPrinter::answered, &printer, [&] { ++answers; });
        QElapsedTimer t;
        t.start();
        const int n = 1000000;
        for (int i = 0; i < n; ++i)
            printer.receive("\x05\x08");
        std::printf("%-44s %8.3f us each (%d answers)\n", "status query",
                    t.nsecsElapsed() / 1e3 / n, answers);
    }
    {
        VirtualPrinter printer;
        VirtualPrinterWindow window(printer);
        window.show();
        const QByteArray part = data.left(2 * 1024 * 1024);
        QElapsedTimer t;
        t.start();
        for (qsizetype i = 0; i < part.size(); i += 64)
            printer.receive(part.mid(i, 64));
        QApplication::processEvents();
        printRate("print into the Virtual Printer window", part.size(), t.nsecsElapsed());
    }
    return 0;
}
