#include "link/PortSettingsForm.h"
#include "link/SystemPorts.h"
#include "macros/MacroSession.h"
#include "sim/VirtualPrinter.h"
#include "support/TestOperator.h"
#include "support/TestPacer.h"
#include "terminal/CommandSender.h"
#include "terminal/Terminal.h"

#include <QTest>

// The macro manager end to end against the built-in virtual printer: what the printer stores,
// prints and lists after each button.
class tst_MacroVirtualPrinter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recordPlayAndRemove();
    void recordingStartedSilentEndsAsAPrintingOne();
    void printingRecordAndPrintQuery();
    void emptyNameStillSendsTheCommand();
    void closingDuringARecordingStoresIt();
    void extendedStoreTransferAndClear_data();
    void extendedStoreTransferAndClear();
    void settingsDialogDropsLaterCommands();
};

namespace {

// A terminal on the port "SIM", its virtual printer set to a model, and the printer's trace
// of the commands it understood.
struct SimMacros
{
    explicit SimMacros(const QString &model = QStringLiteral("CV4200"))
        : terminal(ports, op, pacer, pacer)
    {
        terminal.Settings.IOPort = QStringLiteral("SIM");
        printer().setModel(model);
        QObject::connect(&printer(), &VirtualPrinter::commandUnderstood, &printer(),
                         [this](const QString &text) { trace.append(text); });
    }

    VirtualPrinter &printer() { return ports.virtualPrinter(); }
    MacroManager &manager() { return terminal.macros().manager(); }
    void send(const QString &line)
    {
        terminal.input().autoQuery = false;
        terminal.input().commandLine = line;
        terminal.commands().SendCommand_Click();
    }
    QStringList storedNames()
    {
        QStringList names;
        for (const VirtualPrinter::Macro &m : printer().macros())
            names.append(QString::fromLatin1(m.name));
        return names;
    }

    SystemPorts ports;
    TestOperator op;
    TestPacer pacer;
    Terminal terminal;
    QStringList trace;
};

} // namespace

void tst_MacroVirtualPrinter::recordPlayAndRemove()
{
    SimMacros s;
    s.terminal.macros().DoMacros_Click();
    QVERIFY(s.terminal.MacroMode);
    QVERIFY(!s.terminal.HasExtStore);
    MacroManager &m = s.manager();
    QCOMPARE(m.controls().macroStatus, QString());

    m.MacroRecord_Click();
    s.send(QStringLiteral("Hello<10>"));
    m.MacroRecord_Click();
    QCOMPARE(s.storedNames(), QStringList{QStringLiteral("Demo")});
    QCOMPARE(s.printer().macros().first().data, QByteArray("Hello\n"));
    // Silent: recorded, not printed.
    QVERIFY(!s.printer().paperText().contains("Hello"));
    QCOMPARE(m.controls().macroStatus, QStringLiteral("6      U      Demo\n"));

    m.MacroPlay_Click();
    QCOMPARE(s.printer().paperText(), QByteArray("Hello\n"));

    m.MacroDel_Click();
    QVERIFY(s.printer().macros().isEmpty());
    QVERIFY(!m.controls().macroStatus.contains(QLatin1String("Demo")));
}

void tst_MacroVirtualPrinter::recordingStartedSilentEndsAsAPrintingOne()
{
    SimMacros s;
    s.terminal.macros().DoMacros_Click();
    MacroManager &m = s.manager();
    m.MacroRecord_Click();
    s.send(QStringLiteral("Total<10>"));
    m.input().silent = false;
    m.input().macroName = QStringLiteral("Tail");
    s.trace.clear();
    m.MacroRecord_Click();
    // The end reads the boxes again: the printing end and the new name.
    QCOMPARE(s.trace.mid(0, 2), (QStringList{QStringLiteral("end printing recording"),
                                             QStringLiteral("name recording \"Tail\"")}));
    QCOMPARE(s.storedNames(), QStringList{QStringLiteral("Tail")});
}

void tst_MacroVirtualPrinter::printingRecordAndPrintQuery()
{
    SimMacros s;
    s.terminal.macros().DoMacros_Click();
    MacroManager &m = s.manager();
    m.input().silent = false;
    m.MacroRecord_Click();
    s.send(QStringLiteral("Logo<10>"));
    m.MacroRecord_Click();
    QCOMPARE(s.storedNames(), QStringList{QStringLiteral("Demo")});
    // Printed while it was recorded.
    QCOMPARE(s.printer().paperText(), QByteArray("Logo\n"));

    m.input().prtQuery = true;
    m.MacroQuery_Click();
    QVERIFY(m.controls().macroStatus.contains(QLatin1String("Demo")));
    QVERIFY(s.printer().paperText().contains("Size   Type   Name"));
}

void tst_MacroVirtualPrinter::emptyNameStillSendsTheCommand()
{
    SimMacros s;
    s.terminal.macros().DoMacros_Click();
    s.manager().input().macroName.clear();
    s.manager().MacroDel_Click();
    QVERIFY(s.trace.contains(QStringLiteral("remove \"\": not in the User Store")));
}

void tst_MacroVirtualPrinter::closingDuringARecordingStoresIt()
{
    SimMacros s;
    s.terminal.macros().DoMacros_Click();
    MacroManager &m = s.manager();
    m.MacroRecord_Click();
    s.send(QStringLiteral("Bye<10>"));
    m.Form_Unload();
    QVERIFY(!s.printer().recording());
    QCOMPARE(s.storedNames(), QStringList{QStringLiteral("Demo")});
    QVERIFY(!s.terminal.MacroMode);
    QVERIFY(!s.terminal.PortOpen);
}

void tst_MacroVirtualPrinter::extendedStoreTransferAndClear_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<Operator::Answer>("answer");
    QTest::addColumn<bool>("extStore");
    QTest::newRow("CV4700, OK") << "CV4700" << Operator::Answer::Ok << true;
    QTest::newRow("CV4700, Cancel") << "CV4700" << Operator::Answer::Cancel << true;
    QTest::newRow("CV4200") << "CV4200" << Operator::Answer::Ok << false;
}

void tst_MacroVirtualPrinter::extendedStoreTransferAndClear()
{
    QFETCH(QString, model);
    QFETCH(Operator::Answer, answer);
    QFETCH(bool, extStore);
    SimMacros s(model);
    s.terminal.macros().DoMacros_Click();
    MacroManager &m = s.manager();
    QCOMPARE(m.controls().extStoreEnabled, extStore);
    if (!extStore)
        return; // the window keeps both buttons disabled
    m.MacroRecord_Click();
    s.send(QStringLiteral("Logo<10>"));
    m.MacroRecord_Click();

    const bool ok = answer == Operator::Answer::Ok;
    s.op.answers = {answer};
    m.Transfer_Click();
    QCOMPARE(s.printer().macros().first().store,
             ok ? VirtualPrinter::Store::Extended : VirtualPrinter::Store::User);
    QCOMPARE(m.controls().macroStatus,
             ok ? QStringLiteral("5      E      Demo\n") : QStringLiteral("5      U      Demo\n"));

    s.op.answers = {answer};
    m.Clearext_Click();
    QCOMPARE(s.printer().macros().isEmpty(), ok);
    QCOMPARE(m.controls().macroStatus.isEmpty(), ok);
}

void tst_MacroVirtualPrinter::settingsDialogDropsLaterCommands()
{
    SimMacros s;
    s.terminal.macros().DoMacros_Click();
    MacroManager &m = s.manager();
    m.MacroRecord_Click();
    s.send(QStringLiteral("Logo<10>"));
    m.MacroRecord_Click();

    PortSettingsForm::closeHeldPort(s.terminal);
    s.trace.clear();
    m.MacroPlay_Click();
    m.MacroDel_Click();
    QVERIFY(s.trace.isEmpty());
    QCOMPARE(s.storedNames(), QStringList{QStringLiteral("Demo")});
    QVERIFY(s.printer().paperText().isEmpty());
}

QTEST_GUILESS_MAIN(tst_MacroVirtualPrinter)
#include "tst_macrovirtualprinter.moc"
