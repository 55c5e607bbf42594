#include "macros/MacroSession.h"
#include "script/ScriptRunner.h"
#include "support/TestTerminal.h"
#include "terminal/CommandSender.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Macros > Program: the product check that enters macro mode, and DoneMacro that leaves it.
class tst_MacroMode : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void productCheckDecidesTheMode_data();
    void productCheckDecidesTheMode();
    void entryDiscardsStaleInputBeforeTheQuery();
    void refusedCheckClosesThePortButLeavesPortOpenSet();
    void programAgainWhileTheManagerIsOpen();
    void macroModeHoldsThePortUntilDoneMacro();
    void operationsUseTheHeldPortUntilAutoQueryClosesIt();
};

namespace {

const QString Refused =
    QStringLiteral("This product or emulation is not compatable with Qlix Macros");

// The printer answers the product query with whatever `answer` holds at that moment.
void answerProductQuery(TestTerminal &t, const QByteArray &answer)
{
    t.terminal.Settings.IOPort = QStringLiteral("COM1");
    t.line().onWrite = [&t, answer](const QByteArray &bytes) {
        if (bytes == QByteArray("\x05\x15", 2))
            t.line().pending += answer;
    };
}

// Puts every sleep into the line's record of calls, where it happens.
void recordSleepsAmongCalls(TestTerminal &t)
{
    t.pacer.onSleep = [&t](int ms) { t.line().calls.append(QStringLiteral("sleep %1").arg(ms)); };
}

// The calls with every read shortened to "read".
QStringList compacted(const QStringList &calls)
{
    QStringList out;
    for (const QString &call : calls)
        out.append(call.startsWith(QLatin1String("read ")) ? QStringLiteral("read") : call);
    return out;
}

} // namespace

void tst_MacroMode::productCheckDecidesTheMode_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("entered");
    QTest::addColumn<bool>("extStore");
    QTest::newRow("R615DX") << QByteArray("ID CMD:R615DX FW1.07\r") << true << false;
    QTest::newRow("CV4200") << QByteArray("ID CMD:CV4200 FW1.07\r") << true << false;
    QTest::newRow("CV4700 has Extended Store")
        << QByteArray("ID CMD:CV4700 FW1.07\r") << true << true;
    QTest::newRow("any separator") << QByteArray("ID CMD-R615DX.") << true << false;
    QTest::newRow("name ends at the last character")
        << QByteArray("PRINTER CMD:CV4700") << true << true;
    QTest::newRow("11 characters") << QByteArray(" CMD:CV4200") << true << false;
    QTest::newRow("exactly 10 characters") << QByteArray("CMD:CV4200") << false << false;
    QTest::newRow("name would start at the last character")
        << QByteArray("ABCDEFGCMD:C") << false << false;
    QTest::newRow("name cut short") << QByteArray("ABCDEFGHCMD:CV42") << false << false;
    QTest::newRow("only the first CMD counts")
        << QByteArray("CMD:XXXXXX CMD:CV4200") << false << false;
    QTest::newRow("a later CMD is ignored") << QByteArray("CMD:CV4700 CMD:XXXXXX") << true << true;
    QTest::newRow("lower-case cmd") << QByteArray("ID cmd:CV4200 FW1.07") << false << false;
    QTest::newRow("lower-case name") << QByteArray("ID CMD:cv4700 FW1.07") << false << false;
    QTest::newRow("no CMD") << QByteArray("ID MODEL CV4200 FW1.07") << false << false;
    QTest::newRow("no answer") << QByteArray() << false << false;
}

void tst_MacroMode::productCheckDecidesTheMode()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, entered);
    QFETCH(bool, extStore);
    TestTerminal t;
    t.terminal.HasExtStore = true; // left over from an earlier check
    answerProductQuery(t, answer);
    QSignalSpy loaded(&t.terminal.macros().manager(), &MacroManager::loaded);

    t.terminal.macros().DoMacros_Click();

    QCOMPARE(t.terminal.MacroMode, entered);
    QCOMPARE(t.terminal.HasExtStore, extStore);
    QCOMPARE(t.terminal.macros().manager().isLoaded(), entered);
    QCOMPARE(loaded.count(), entered ? 1 : 0);
    QCOMPARE(t.terminal.macros().manager().controls().extStoreEnabled, extStore);
    QCOMPARE(t.terminal.controls().getrespEnabled, !entered);
    QCOMPARE(t.op.texts(), entered ? QStringList() : QStringList{Refused});
    QCOMPARE(t.line().open, entered);
    QVERIFY(t.terminal.PortOpen);
    QVERIFY(!t.terminal.PortIdle);
}

void tst_MacroMode::entryDiscardsStaleInputBeforeTheQuery()
{
    TestTerminal t;
    answerProductQuery(t, "ID CMD:CV4200 FW1.07\r");
    // Left on the line from before; read together with the answer it would name another
    // product and refuse the check.
    t.line().pending = "ID CMD:XXXXXX FW0.01\r";
    t.terminal.PortIdle = true;
    recordSleepsAmongCalls(t);

    t.terminal.macros().DoMacros_Click();

    QVERIFY(t.terminal.MacroMode);
    const QStringList calls = compacted(t.line().calls);
    QStringList expected{QStringLiteral("open baud=19200 parity=N data=8 stop=1"),
                         QStringLiteral("flow 2")};
    for (int i = 0; i <= 21; ++i)
        expected.append(QStringLiteral("read"));
    expected.append(QStringLiteral("write 0515"));
    expected.append(QStringLiteral("sleep 200"));
    for (int i = 0; i <= 21; ++i)
        expected.append(QStringLiteral("read"));
    QCOMPARE(calls.mid(0, expected.size()), expected);
    // The timer is not restarted: macro mode takes the port without it.
    QCOMPARE(t.pacer.restarts, 0);
}

void tst_MacroMode::refusedCheckClosesThePortButLeavesPortOpenSet()
{
    TestTerminal t;
    answerProductQuery(t, {});

    t.terminal.macros().DoMacros_Click();

    QVERIFY(!t.line().open);
    QCOMPARE(t.line().closes, 1);
    QVERIFY(t.terminal.PortOpen);
    QVERIFY(!t.terminal.MacroMode);
    QCOMPARE(t.op.shown.size(), 1);
    QCOMPARE(t.op.shown.at(0).buttons, Operator::Buttons::Ok);
    QVERIFY(t.op.shown.at(0).title.isEmpty());

    // A second try runs the whole check again.
    t.terminal.macros().DoMacros_Click();
    QCOMPARE(t.line().opens, 2);
    QCOMPARE(t.line().writes.count(QByteArray("\x05\x15", 2)), 2);
    QCOMPARE(t.op.texts(), (QStringList{Refused, Refused}));
}

void tst_MacroMode::programAgainWhileTheManagerIsOpen()
{
    TestTerminal t;
    QByteArray answer = "ID CMD:CV4700 FW1.07\r";
    t.terminal.Settings.IOPort = QStringLiteral("COM1");
    t.line().onWrite = [&t, &answer](const QByteArray &bytes) {
        if (bytes == QByteArray("\x05\x15", 2))
            t.line().pending += answer;
    };
    MacroManager &manager = t.terminal.macros().manager();
    QSignalSpy loaded(&manager, &MacroManager::loaded);
    QSignalSpy raised(&manager, &MacroManager::raiseRequested);
    t.terminal.macros().DoMacros_Click();
    manager.input().silent = false;

    // A match only brings the open manager forward: it is not loaded again, so Silent
    // Record is not set again and the Extended Store controls keep their state.
    answer = "ID CMD:CV4200 FW1.07\r";
    t.terminal.macros().DoMacros_Click();
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(raised.count(), 1);
    QVERIFY(!manager.controls().silent);
    QVERIFY(manager.controls().extStoreEnabled);
    QVERIFY(!t.terminal.HasExtStore);

    // A refusal closes the port while the manager stays open in macro mode.
    answer.clear();
    t.terminal.macros().DoMacros_Click();
    QCOMPARE(t.op.texts(), QStringList{Refused});
    QVERIFY(!t.line().open);
    QVERIFY(t.terminal.MacroMode);
    QVERIFY(manager.isLoaded());
}

void tst_MacroMode::macroModeHoldsThePortUntilDoneMacro()
{
    TestTerminal t;
    answerProductQuery(t, "ID CMD:R615DX FW1.07\r");
    t.terminal.macros().DoMacros_Click();
    QVERIFY(t.terminal.MacroMode);

    t.pacer.advance(60000);
    QCOMPARE(t.line().closes, 0);
    QVERIFY(t.line().open);

    t.terminal.macros().DoneMacro();
    QCOMPARE(t.line().closes, 1);
    QVERIFY(!t.terminal.PortOpen);
    QVERIFY(!t.terminal.MacroMode);
    QVERIFY(t.terminal.PortIdle);
    QVERIFY(t.terminal.controls().getrespEnabled);

    // The next tick closes the closed port once more and clears PortIdle.
    t.pacer.advance(5000);
    QCOMPARE(t.line().closes, 2);
    QVERIFY(!t.terminal.PortIdle);
    t.pacer.advance(5000);
    QCOMPARE(t.line().closes, 2);
}

void tst_MacroMode::operationsUseTheHeldPortUntilAutoQueryClosesIt()
{
    TestTerminal t;
    answerProductQuery(t, "ID CMD:CV4200 FW1.07\r");
    t.terminal.macros().DoMacros_Click();
    MacroManager &manager = t.terminal.macros().manager();
    const int opens = t.line().opens;

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile script(dir.filePath(QStringLiteral("demo.dmo")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("XY\r\n");
    script.close();

    // Send Command, a keystroke and Send Script write to the port macro mode holds,
    // without opening it again or handing it to the idle timer.
    t.terminal.input().autoQuery = false;
    t.terminal.input().commandLine = QStringLiteral("AB");
    t.terminal.commands().SendCommand_Click();
    t.terminal.commands().Indata_KeyPress('x');
    t.terminal.input().fileName = script.fileName();
    t.terminal.scripts().SendScript_Click();
    QCOMPARE(t.line().opens, opens);
    QCOMPARE(t.line().writes.mid(t.line().writes.size() - 3), (QList<QByteArray>{"AB", "x", "XY"}));
    QVERIFY(!t.terminal.PortIdle);
    manager.MacroPlay_Click();
    QCOMPARE(t.line().writes.last(), QByteArray("\x1B\x1FrDemo\0", 8));

    // Auto Query reads the answer and closes the port; macro mode goes on without it, so
    // the manager's commands no longer arrive.
    t.terminal.input().autoQuery = true;
    t.terminal.commands().SendCommand_Click();
    QVERIFY(!t.line().open);
    QVERIFY(t.terminal.MacroMode);
    QVERIFY(t.terminal.PortOpen);
    const qsizetype writes = t.line().writes.size();
    manager.MacroPlay_Click();
    QCOMPARE(t.line().writes.size(), writes);
}

QTEST_GUILESS_MAIN(tst_MacroMode)
#include "tst_macromode.moc"
