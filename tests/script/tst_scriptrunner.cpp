#include "script/ScriptRunner.h"
#include "support/TestTerminal.h"
#include "terminal/CommandSender.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The script runner: the file dialog, Send Script with its history and port handling, the
// refusals, and the Loop button's cycle.
class tst_ScriptRunner : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void historyHoldsEachNameOnceMostRecentFirst();
    void anEmptyNameIsRefused();
    void aRunThatCannotStartTouchesNothing_data();
    void aRunThatCannotStartTouchesNothing();
    void aRunPreparesThePortAndDisablesTheButtons();
    void macroModeLeavesThePortAlone();
    void fileDialogKeepsItsLastName();
    void sendScriptIsIgnoredWhileSendDataWaits();
    void loopRunsUntilBreakAndFinishesThePass();

private:
    QString write(const QString &name, const QByteArray &bytes);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ScriptRunner::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString tst_ScriptRunner::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture %s", qPrintable(path));
    return path;
}

void tst_ScriptRunner::historyHoldsEachNameOnceMostRecentFirst()
{
    const QString a = write(QStringLiteral("A.DMO"), "a");
    const QString b = write(QStringLiteral("B.DMO"), "b");
    const QString lower = write(QStringLiteral("a.dmo"), "l");
    TestTerminal t;
    for (const QString &name : {a, b, a, lower}) {
        t.terminal.input().fileName = name;
        t.terminal.scripts().SendScript_Click();
    }
    QCOMPARE(t.terminal.controls().scriptHistory, QStringList({lower, a, b}));
    QCOMPARE(t.terminal.controls().fileName, lower);
    QCOMPARE(t.line().received, QByteArray("abal"));
}

void tst_ScriptRunner::anEmptyNameIsRefused()
{
    TestTerminal t;
    QSignalSpy focus(&t.terminal, &Terminal::focusScriptFile);
    t.terminal.scripts().SendScript_Click();
    QCOMPARE(t.op.texts(), QStringList{"You must select a Script File."});
    QCOMPARE(t.op.shown.first().buttons, Operator::Buttons::Ok);
    QCOMPARE(focus.count(), 1);
    QCOMPARE(t.line().opens, 0);
    QVERIFY(t.transcript.isEmpty());
    QVERIFY(t.terminal.controls().scriptHistory.isEmpty());
}

void tst_ScriptRunner::aRunThatCannotStartTouchesNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("packSize");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file")
        << "missing.dmo"
        << "20"
        << "Cannot read script file $DIR/missing.dmo: No such file or directory. Press OK to "
           "continue";
    QTest::newRow("packet size not a number")
        << "S.DMO"
        << "2O"
        << "Packet Size \"2O\" is not a number from -32768 to 32767. Press OK to continue";
    QTest::newRow("packet size out of range")
        << "S.DMO"
        << "40000"
        << "Packet Size \"40000\" is not a number from -32768 to 32767. Press OK to continue";
    QTest::newRow("packet size empty")
        << "S.DMO"
        << ""
        << "Packet Size \"\" is not a number from -32768 to 32767. Press OK to continue";
}

void tst_ScriptRunner::aRunThatCannotStartTouchesNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, packSize);
    QFETCH(QString, message);
    write(QStringLiteral("S.DMO"), "AB\r\n");
    TestTerminal t;
    t.terminal.input().fileName = m_dir->filePath(file);
    t.terminal.input().packSize = packSize;
    t.terminal.scripts().SendScript_Click();
    QStringList texts = t.op.texts();
    texts.replaceInStrings(m_dir->path(), QStringLiteral("$DIR"));
    QCOMPARE(texts, QStringList{message});
    QCOMPARE(t.line().opens, 0);
    QVERIFY(t.transcript.isEmpty());
    QVERIFY(t.terminal.controls().sendCommandEnabled);
    QCOMPARE(t.terminal.scripts().unreadableFiles(), file == "missing.dmo" ? 1 : 0);
}

void tst_ScriptRunner::aRunPreparesThePortAndDisablesTheButtons()
{
    const QString path = write(QStringLiteral("R.DMO"), "A{WAIT:10}B\r\n");
    TestTerminal t;
    t.terminal.input().fileName = path;
    QSignalSpy focus(&t.terminal, &Terminal::focusInteractive);
    bool disabledDuringRun = false;
    bool idleDuringRun = true;
    t.pacer.onSleep = [&](int) {
        disabledDuringRun =
            !t.terminal.controls().sendCommandEnabled && !t.terminal.controls().getrespEnabled;
        idleDuringRun = t.terminal.PortIdle;
    };
    t.terminal.scripts().SendScript_Click();
    QVERIFY(disabledDuringRun);
    QVERIFY(!idleDuringRun);
    QVERIFY(t.terminal.controls().sendCommandEnabled);
    QVERIFY(t.terminal.controls().getrespEnabled);
    QVERIFY(t.terminal.PortIdle);
    QCOMPARE(focus.count(), 1);
    QCOMPARE(t.pacer.restarts, 1);
    QCOMPARE(t.line().calls.mid(0, 2),
             QStringList({"open baud=19200 parity=N data=8 stop=1", "flow 2"}));
    QCOMPARE(t.transcript, QStringLiteral("\r\nAB"));
}

void tst_ScriptRunner::macroModeLeavesThePortAlone()
{
    const QString path = write(QStringLiteral("M.DMO"), "AB\r\n");
    TestTerminal t;
    t.terminal.preparePort();
    t.terminal.MacroMode = true;
    t.terminal.PortIdle = false;
    const int opens = t.line().opens;
    t.terminal.input().fileName = path;
    t.terminal.scripts().SendScript_Click();
    QCOMPARE(t.line().opens, opens);
    QVERIFY(!t.terminal.PortIdle);
    QCOMPARE(t.line().received, QByteArray("AB"));
}

void tst_ScriptRunner::fileDialogKeepsItsLastName()
{
    TestTerminal t;
    QSignalSpy focus(&t.terminal, &Terminal::focusInteractive);
    t.op.files = {std::nullopt, QStringLiteral("/demo/first.dmo"), std::nullopt};
    t.terminal.input().fileName = QStringLiteral("typed.dmo");
    t.terminal.scripts().GetFileName_Click();
    QCOMPARE(t.terminal.controls().fileName, QString());
    t.terminal.scripts().GetFileName_Click();
    QCOMPARE(t.terminal.controls().fileName, QStringLiteral("/demo/first.dmo"));
    t.terminal.input().fileName = QStringLiteral("typed.dmo");
    t.terminal.scripts().GetFileName_Click();
    QCOMPARE(t.terminal.controls().fileName, QStringLiteral("/demo/first.dmo"));
    QCOMPARE(focus.count(), 3);
    const Operator::FileRequest &request = t.op.requests.first();
    QCOMPARE(request.title, QStringLiteral("Open Demo File"));
    QCOMPARE(request.filter, QStringLiteral("(*.dmo;*.prn)|*.dmo;*.prn|(*.prn)|*.prn|(*.*)|*.*"));
    QCOMPARE(t.op.requests.at(2).fileName, QStringLiteral("/demo/first.dmo"));
}

void tst_ScriptRunner::sendScriptIsIgnoredWhileSendDataWaits()
{
    const QString outer = write(QStringLiteral("O.DMO"), "ABC\r\n");
    const QString other = write(QStringLiteral("X.DMO"), "XYZ\r\n");
    TestTerminal t;
    t.terminal.input().packSize = QStringLiteral("3");
    t.terminal.input().fileName = outer;
    t.line().acceptPerWrite = 0;
    t.pacer.onEvents = [&](int) {
        if (!t.terminal.commands().sending())
            return;
        // A click on Send Script while the printer refuses the packet.
        t.terminal.input().fileName = other;
        t.terminal.scripts().SendScript_Click();
        t.terminal.input().fileName = outer;
        t.line().acceptPerWrite = -1;
    };
    t.terminal.scripts().SendScript_Click();
    QCOMPARE(t.line().received, QByteArray("ABC"));
    QCOMPARE(t.terminal.controls().scriptHistory, QStringList{outer});
}

void tst_ScriptRunner::loopRunsUntilBreakAndFinishesThePass()
{
    TestTerminal t;
    t.terminal.input().commandLine = QStringLiteral("A");
    t.terminal.input().autoQuery = false;
    QStringList order;
    t.pacer.onSleep = [&](int ms) { order.append(QStringLiteral("sleep %1").arg(ms)); };
    t.line().onWrite = [&](const QByteArray &bytes) {
        order.append(QStringLiteral("write ") + QString::fromLatin1(bytes));
    };
    t.line().onEmptyRead = [&] { order.append(QStringLiteral("read")); };
    int passes = 0;
    t.pacer.onEvents = [&](int) {
        // The Loop's own event pass comes right after its 200 ms sleep.
        if (order.isEmpty() || order.last() != QStringLiteral("sleep 200"))
            return;
        if (++passes == 2)
            t.terminal.DoBreak_Click();
    };
    t.terminal.scripts().LoopButton_Click();
    QVERIFY(!t.terminal.LoopActive);
    QVERIFY(t.terminal.controls().breakEnabled);
    QCOMPARE(order, QStringList({"write A", "sleep 200", "read", "write A", "sleep 200",
                                 "sleep 1000", "read"}));
}

QTEST_GUILESS_MAIN(tst_ScriptRunner)
#include "tst_scriptrunner.moc"
