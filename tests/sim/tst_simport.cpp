#include "link/SystemPorts.h"
#include "sim/VirtualPrinter.h"
#include "support/TestOperator.h"
#include "support/TestPacer.h"
#include "terminal/CommandSender.h"
#include "terminal/ResponseReader.h"
#include "terminal/Terminal.h"

#include <QTest>

namespace {

// A terminal core on the machine's real ports, set to "SIM".
struct SimTerminal
{
    SimTerminal()
        : terminal(ports, op, pacer, pacer)
    {
        terminal.Settings.IOPort = QStringLiteral("SIM");
        QObject::connect(&terminal, &Terminal::transcriptAppended, &terminal,
                         [this](const QString &text) { transcript += text; });
    }
    QByteArray exchange(const QByteArray &bytes)
    {
        terminal.preparePort();
        terminal.PortOpen = true;
        terminal.Send_Info(bytes, bytes.size());
        return terminal.Get_Info();
    }

    SystemPorts ports;
    TestOperator op;
    TestPacer pacer;
    Terminal terminal;
    QString transcript;
};

// The model name as the product check takes it: more than 10 characters, then the 6 after
// "CMD" and one separator.
QString productName(const QByteArray &answer)
{
    const qsizetype cmd = answer.indexOf("CMD");
    const qsizetype j = cmd < 0 ? answer.size() : cmd + 4;
    if (answer.size() <= 10 || j >= answer.size())
        return {};
    return QString::fromLatin1(answer.mid(j, 6));
}

} // namespace

// The port "SIM": the terminal talking to its built-in virtual printer.
class tst_SimPort : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void portListEndsWithTheVirtualPrinter();
    void statusQueryIsAnsweredThroughTheControl_data();
    void statusQueryIsAnsweredThroughTheControl();
    void productCheckFindsTheModel_data();
    void productCheckFindsTheModel();
    void getResponseShowsTheStatusMessage_data();
    void getResponseShowsTheStatusMessage();
    void answerWaitsWhileThePortIsClosedBetweenOperations();
    void printerLastsAcrossPortChangesAndAnnouncesItselfOnce();
};

void tst_SimPort::portListEndsWithTheVirtualPrinter()
{
    SimTerminal t;
    QStringList names;
    for (qint32 i = 0; !t.terminal.printer().PortName(i).isEmpty(); ++i)
        names.append(t.terminal.printer().PortName(i));
    QVERIFY(!names.isEmpty());
    QCOMPARE(names.last(), QStringLiteral("SIM\tVirtual Corvane printer"));
    QCOMPARE(names.count(QStringLiteral("SIM\tVirtual Corvane printer")), 1);
}

void tst_SimPort::statusQueryIsAnsweredThroughTheControl_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("coverOpen");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("typed, cover closed") << "SIM" << false << QByteArray("\x06\x08");
    QTest::newRow("typed, cover open") << "SIM" << true << QByteArray("\x15\x08");
    QTest::newRow("chosen from the list")
        << "SIM\tVirtual Corvane printer" << true << QByteArray("\x15\x08");
}

void tst_SimPort::statusQueryIsAnsweredThroughTheControl()
{
    QFETCH(QString, port);
    QFETCH(bool, coverOpen);
    QFETCH(QByteArray, answer);
    SimTerminal t;
    t.terminal.Settings.IOPort = port;
    t.ports.virtualPrinter().setCoverOpen(coverOpen);
    QCOMPARE(t.exchange("\x05\x08"), answer);
    QVERIFY(t.op.shown.isEmpty());
}

void tst_SimPort::productCheckFindsTheModel_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("compatible");
    QTest::newRow("default CV4200") << "" << true;
    QTest::newRow("CV4700") << "CV4700" << true;
    QTest::newRow("R615DX") << "R615DX" << true;
    QTest::newRow("another printer") << "TX-88 Receipt" << false;
}

void tst_SimPort::productCheckFindsTheModel()
{
    QFETCH(QString, model);
    QFETCH(bool, compatible);
    SimTerminal t;
    if (!model.isEmpty())
        t.ports.virtualPrinter().setModel(model);
    // As macro mode asks: pending input dropped, the query sent, the answer read.
    t.exchange({});
    const QString name = productName(t.exchange("\x05\x15"));
    const QStringList models{"R615DX", "CV4200", "CV4700"};
    QCOMPARE(models.contains(name), compatible);
    if (compatible)
        QCOMPARE(name, model.isEmpty() ? QStringLiteral("CV4200") : model);
}

void tst_SimPort::getResponseShowsTheStatusMessage_data()
{
    QTest::addColumn<bool>("autoQuery");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Get Response after the query") << false << "<5><8>"
                                                  << "\r\n[ACK][BS]\r\n**Cover is Closed**\r\n";
    QTest::newRow("Auto Query") << true << "[ENQ]<4>"
                                << "\r\n[NAK][EOT]\r\n**Receipt Paper is Out**\r\n";
    QTest::newRow("drawer") << false << "<5><x02>"
                            << "\r\n[NAK][STX]\r\n**Cash Drawer 2 Open**\r\n";
}

void tst_SimPort::getResponseShowsTheStatusMessage()
{
    QFETCH(bool, autoQuery);
    QFETCH(QString, command);
    QFETCH(QString, shown);
    SimTerminal t;
    t.ports.virtualPrinter().setPaperOut(true);
    t.ports.virtualPrinter().setDrawerOpen(2, true);
    t.terminal.input().autoQuery = autoQuery;
    t.terminal.input().commandLine = command;
    t.terminal.commands().SendCommand_Click();
    if (!autoQuery) {
        QVERIFY(!t.transcript.contains(QLatin1String("**")));
        t.terminal.responses().Getresp_Click();
    }
    QVERIFY2(t.transcript.endsWith(shown), qPrintable(t.transcript));
    QVERIFY(t.op.shown.isEmpty());
    // Asked again with nothing sent, the printer has nothing more to say.
    t.terminal.responses().Getresp_Click();
    QVERIFY(t.transcript.endsWith(QLatin1String("\r\n** No Responce**\r\n")));
}

void tst_SimPort::answerWaitsWhileThePortIsClosedBetweenOperations()
{
    // Send Command with Auto Query writes, closes the port, and reads after reopening it.
    SimTerminal t;
    t.terminal.preparePort();
    POSPrinter &p = t.terminal.printer();
    QCOMPARE(p.WriteData("\x05\x04", 2), qint16(1));
    QCOMPARE(p.BytesWritten(), 2);
    p.ClosePort();
    QCOMPARE(p.WriteData("\x05\x08", 2), qint16(0));
    QCOMPARE(p.ReadData(1), QByteArray());
    t.terminal.preparePort();
    QCOMPARE(t.terminal.Get_Info(), QByteArray("\x06\x04"));
    QCOMPARE(t.terminal.Get_Info(), QByteArray());
}

void tst_SimPort::printerLastsAcrossPortChangesAndAnnouncesItselfOnce()
{
    SimTerminal t;
    int announced = 0;
    t.ports.setVirtualPrinterOpened([&] { ++announced; });
    const QByteArray demo("Demo\0", 5);
    t.exchange("\x1b\x1f\x62" + demo + "Hi\n" + "\x1b\x1f\x65" + demo);
    QCOMPARE(announced, 1);

    t.terminal.Settings.IOPort = QStringLiteral("None");
    QCOMPARE(t.exchange("\x05\x17"), QByteArray());
    t.terminal.Settings.IOPort = QStringLiteral("SIM");
    QCOMPARE(t.exchange("\x05\x17"), QByteArray("\r\n3      U      Demo\r\n"));
    t.terminal.printer().ClosePort();
    t.exchange("\x1b\x1f\x72" + demo);
    QCOMPARE(t.ports.virtualPrinter().paperText(), QByteArray("Hi\n"));
    QCOMPARE(announced, 1);
}

QTEST_GUILESS_MAIN(tst_SimPort)
#include "tst_simport.moc"
