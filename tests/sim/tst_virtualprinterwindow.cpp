#include "link/SystemPorts.h"
#include "sim/VirtualPrinter.h"
#include "sim/ui/VirtualPrinterWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

// The Virtual Printer window: its paper and the check boxes that set the printer's state.
class tst_VirtualPrinterWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void paperShowsPrintedLinesNewestAtTheBottom();
    void checkBoxesSetThePrinterAndFollowIt_data();
    void checkBoxesSetThePrinterAndFollowIt();
    void showsItselfTheFirstTimeTheSimPortOpens();
};

void tst_VirtualPrinterWindow::paperShowsPrintedLinesNewestAtTheBottom()
{
    VirtualPrinter printer;
    printer.receive("Before\n");
    VirtualPrinterWindow window(printer);
    auto *paper = window.findChild<QPlainTextEdit *>(QStringLiteral("paper"));
    QVERIFY(paper);
    printer.receive("\x1b"
                    "a\x01"
                    "Corvane\r\nTotal 9.95");
    printer.receive("\n");
    for (int i = 0; i < 40; ++i)
        printer.receive(QByteArray::number(i) + '\n');
    const QStringList lines = paper->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(0, 3), QStringList({"Before", "Corvane", "Total 9.95"}));
    QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("39"));
    window.resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    printer.receive("Last\n");
    QCOMPARE(paper->verticalScrollBar()->value(), paper->verticalScrollBar()->maximum());
    QVERIFY(paper->verticalScrollBar()->maximum() > 0);
}

void tst_VirtualPrinterWindow::checkBoxesSetThePrinterAndFollowIt_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("query");
    QTest::newRow("cover") << "coverOpen" << QByteArray("\x05\x08");
    QTest::newRow("paper low") << "paperLow" << QByteArray("\x05\x03");
    QTest::newRow("paper out") << "paperOut" << QByteArray("\x05\x04");
    QTest::newRow("drawer 1") << "drawer1Open" << QByteArray("\x05\x01");
    QTest::newRow("drawer 2") << "drawer2Open" << QByteArray("\x05\x02");
}

void tst_VirtualPrinterWindow::checkBoxesSetThePrinterAndFollowIt()
{
    QFETCH(QString, box);
    QFETCH(QByteArray, query);
    VirtualPrinter printer;
    QByteArray answers;
    connect(&printer, &VirtualPrinter::answered, this, [&](const QByteArray &a) { answers += a; });
    VirtualPrinterWindow window(printer);
    auto *check = window.findChild<QCheckBox *>(box);
    QVERIFY(check);
    QVERIFY(!check->isChecked());
    check->click();
    printer.receive(query);
    QCOMPARE(answers, "\x15" + query.mid(1));
    check->click();
    printer.receive(query);
    QCOMPARE(answers.mid(2), "\x06" + query.mid(1));

    // A change made elsewhere (the command line, a test) shows in the box.
    printer.setCoverOpen(true);
    printer.setPaperLow(true);
    printer.setPaperOut(true);
    printer.setDrawerOpen(1, true);
    printer.setDrawerOpen(2, true);
    QVERIFY(check->isChecked());
}

void tst_VirtualPrinterWindow::showsItselfTheFirstTimeTheSimPortOpens()
{
    SystemPorts ports;
    QWidget mainWindow;
    VirtualPrinterWindow::showOnFirstOpen(ports, &mainWindow);
    QVERIFY(!mainWindow.findChild<VirtualPrinterWindow *>());
    auto backend = ports.create(QStringLiteral("SIM"));
    backend->open(QStringLiteral("baud=19200 parity=N data=8 stop=1"));
    const auto windows = mainWindow.findChildren<VirtualPrinterWindow *>();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isVisible());
    QVERIFY(windows.first()->isWindow());
    QCOMPARE(windows.first()->windowTitle(), QStringLiteral("Virtual Printer"));

    windows.first()->close();
    backend->close();
    backend = ports.create(QStringLiteral("SIM"));
    backend->open(QString());
    QCOMPARE(mainWindow.findChildren<VirtualPrinterWindow *>().size(), 1);
    QVERIFY(!windows.first()->isVisible());

    backend->write("Shown\n");
    auto *paper = windows.first()->findChild<QPlainTextEdit *>(QStringLiteral("paper"));
    QVERIFY(paper->toPlainText().startsWith(QStringLiteral("Shown")));
}

QTEST_MAIN(tst_VirtualPrinterWindow)
#include "tst_virtualprinterwindow.moc"
