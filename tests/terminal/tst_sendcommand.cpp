#include "support/TestTerminal.h"
#include "terminal/CommandSender.h"

#include <QTest>

// Send Command, the output buffer's writer and the Interactive box's keys.
class tst_SendCommand : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sendDataAsksForMoreOnlyWhenWritesFail();
    void sendDataRetriesUntilTheOperatorGivesUp_data();
    void sendDataRetriesUntilTheOperatorGivesUp();
    void theNextCommandDropsBytesGivenUpOn();
    void aClickDuringASendIsIgnored_data();
    void aClickDuringASendIsIgnored();
    void historyKeepsOneEntryPerLineMostRecentFirst();
    void echoesWhatIsSent_data();
    void echoesWhatIsSent();
    void autoQueryClosesThePortAndReadsTheAnswer();
    void anEmptyLineOnlyQueries_data();
    void anEmptyLineOnlyQueries();
    void macroModeLeavesThePortToTheMacros_data();
    void macroModeLeavesThePortToTheMacros();
    void keysGoOutAtOnce_data();
    void keysGoOutAtOnce();
};

namespace {

const QString unableToOutput = QStringLiteral("Unable to output data. Press OK to continue.");

// Bytes requested by every write call, in order.
QList<int> requestedSizes(const ScriptedLine &line)
{
    QList<int> sizes;
    for (const QString &call : line.calls)
        if (call.startsWith(QLatin1String("write ")))
            sizes.append(int(call.size() - 6) / 2);
    return sizes;
}

void sendLine(TestTerminal &t, const QString &line)
{
    t.terminal.input().commandLine = line;
    t.terminal.commands().SendCommand_Click();
}

} // namespace

void tst_SendCommand::sendDataAsksForMoreOnlyWhenWritesFail()
{
    TestTerminal t;
    t.terminal.preparePort();
    t.line().acceptPerWrite = 3;
    t.terminal.OutBuf = "0123456789";
    t.terminal.commands().Send_Data();
    QCOMPARE(requestedSizes(t.line()), QList<int>({10, 7, 4, 1}));
    QCOMPARE(t.line().received, QByteArray("0123456789"));
    QVERIFY(t.terminal.OutBuf.isEmpty());
    QVERIFY(t.pacer.sleeps.isEmpty());
    QVERIFY(t.op.shown.isEmpty());
    QCOMPARE(t.terminal.commands().cancelledOutputs(), 0);
}

void tst_SendCommand::sendDataRetriesUntilTheOperatorGivesUp_data()
{
    QTest::addColumn<QList<Operator::Answer>>("answers");
    QTest::addColumn<bool>("recoverOnOk");
    QTest::addColumn<int>("writes");
    QTest::addColumn<QByteArray>("left");
    using A = Operator::Answer;
    QTest::newRow("Cancel keeps the bytes")
        << QList<A>{A::Cancel} << false << 20 << QByteArray("ABC");
    QTest::newRow("OK tries 20 more")
        << QList<A>{A::Ok, A::Cancel} << false << 40 << QByteArray("ABC");
    QTest::newRow("OK after the printer recovers") << QList<A>{A::Ok} << true << 21 << QByteArray();
}

void tst_SendCommand::sendDataRetriesUntilTheOperatorGivesUp()
{
    QFETCH(QList<Operator::Answer>, answers);
    QFETCH(bool, recoverOnOk);
    QFETCH(int, writes);
    QFETCH(QByteArray, left);
    TestTerminal t;
    t.terminal.preparePort();
    t.line().acceptPerWrite = 0;
    t.op.answers = answers;
    if (recoverOnOk)
        t.op.onMessage = [&](const TestOperator::Shown &) { t.line().acceptPerWrite = -1; };
    t.terminal.OutBuf = "ABC";
    t.terminal.commands().Send_Data();

    QCOMPARE(requestedSizes(t.line()).size(), writes);
    const int boxes = int(answers.size());
    QCOMPARE(t.op.texts(), QStringList(boxes, unableToOutput));
    QCOMPARE(t.op.shown.first().buttons, Operator::Buttons::OkCancel);
    QCOMPARE(t.op.shown.first().icon, Operator::Icon::None);
    // 100 ms between tries, with an event pass before each sleep.
    QCOMPARE(t.pacer.sleeps, QList<int>(boxes * 20, 100));
    QCOMPARE(t.pacer.eventPasses, boxes * 20);
    QCOMPARE(t.terminal.OutBuf, left);
    QCOMPARE(t.terminal.commands().cancelledOutputs(), left.isEmpty() ? 0 : 1);
    QCOMPARE(t.line().received, left.isEmpty() ? QByteArray("ABC") : QByteArray());
}

void tst_SendCommand::theNextCommandDropsBytesGivenUpOn()
{
    TestTerminal t;
    t.terminal.input().autoQuery = false;
    t.line().acceptPerWrite = 0;
    t.op.answers = {Operator::Answer::Cancel};
    sendLine(t, QStringLiteral("OLD"));
    QCOMPARE(t.terminal.OutBuf, QByteArray("OLD"));
    t.line().acceptPerWrite = -1;
    sendLine(t, QStringLiteral("NEW"));
    QCOMPARE(t.line().received, QByteArray("NEW"));
    QVERIFY(t.terminal.OutBuf.isEmpty());
}

void tst_SendCommand::aClickDuringASendIsIgnored_data()
{
    QTest::addColumn<bool>("duringTries");
    QTest::newRow("between write tries") << true;
    QTest::newRow("while the line is echoed") << false;
}

void tst_SendCommand::aClickDuringASendIsIgnored()
{
    QFETCH(bool, duringTries);
    TestTerminal t;
    t.terminal.input().autoQuery = false;
    t.line().acceptPerWrite = duringTries ? 0 : -1;
    bool clicked = false;
    t.pacer.onEvents = [&](int) {
        const bool writing = !t.line().calls.filter(QStringLiteral("write")).isEmpty();
        if (clicked || writing != duringTries)
            return;
        clicked = true;
        t.line().acceptPerWrite = -1;
        t.terminal.input().commandLine = QStringLiteral("XY");
        t.terminal.commands().SendCommand_Click();
        // Keystrokes still go out at once.
        t.terminal.commands().Indata_KeyPress('k');
    };
    sendLine(t, QStringLiteral("AB"));
    QVERIFY(clicked);
    QCOMPARE(t.line().received, QByteArray("kAB"));
    QCOMPARE(t.terminal.controls().commandHistory, QStringList{QStringLiteral("AB")});
    QVERIFY(!t.transcript.contains(QLatin1String("XY")));
    QVERIFY(t.terminal.OutBuf.isEmpty());
    QVERIFY(t.op.shown.isEmpty());
}

void tst_SendCommand::historyKeepsOneEntryPerLineMostRecentFirst()
{
    TestTerminal t;
    t.terminal.input().autoQuery = false;
    for (const char *line : {"[ESC]@", "abc", "[ESC]@", "ABC", "abc"})
        sendLine(t, QString::fromLatin1(line));
    QCOMPARE(t.terminal.controls().commandHistory, QStringList({"abc", "ABC", "[ESC]@"}));
    QCOMPARE(t.terminal.controls().commandLine, QStringLiteral("abc"));
}

void tst_SendCommand::echoesWhatIsSent_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("echo");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("CR breaks the echo") << "<13>" << QByteArray("\r") << "\r\n[CR]\r\n"
                                        << QStringList();
    QTest::newRow("LF breaks the echo")
        << "A[LF]B" << QByteArray("A\nB") << "\r\nA[LF]\r\nB" << QStringList();
    QTest::newRow("byte above 127")
        << "<200>" << QByteArray("\xc8") << "\r\n< 200>" << QStringList();
    QTest::newRow("printer command") << "[ESC]a<1>Hi"
                                     << QByteArray("\x1b"
                                                   "a\x01Hi")
                                     << "\r\n[ESC]a[SOH]Hi" << QStringList();
    QTest::newRow("value too large") << "A<300>" << QByteArray("A\0", 2) << "\r\nA[NUL]"
                                     << QStringList{"Value is greater than 255. Press OK to "
                                                    "continue"};
    QTest::newRow("typed Latin-1 letter")
        << QStringLiteral("\u00e9") << QByteArray("\xe9") << "\r\n< 233>" << QStringList();
    QTest::newRow("typed euro sign")
        << QStringLiteral("\u20ac") << QByteArray("?") << "\r\n?" << QStringList();
}

void tst_SendCommand::echoesWhatIsSent()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, sent);
    QFETCH(QString, echo);
    QFETCH(QStringList, boxes);
    TestTerminal t;
    t.terminal.input().autoQuery = false;
    sendLine(t, line);
    QCOMPARE(t.line().received, sent);
    QCOMPARE(t.line().writes.size(), 1);
    QCOMPARE(t.transcript, echo);
    QCOMPARE(t.op.texts(), boxes);
}

void tst_SendCommand::autoQueryClosesThePortAndReadsTheAnswer()
{
    TestTerminal t;
    t.line().onWrite = [&](const QByteArray &) { t.line().pending = "\x06\x08"; };
    int focused = 0;
    connect(&t.terminal, &Terminal::focusInteractive, this, [&] { ++focused; });
    sendLine(t, QStringLiteral("<x1D>r<1>"));
    const QString open = QStringLiteral("open baud=19200 parity=N data=8 stop=1");
    QCOMPARE(t.line().calls,
             QStringList({open, "flow 2", "write 1d7201", "close", open, "flow 2",
                          "read 1 1000 100", "read 1 10 10", "read 1 10 10", "close"}));
    QCOMPARE(t.pacer.sleeps, QList<int>{100});
    QCOMPARE(t.transcript,
             QStringLiteral("\r\n[GS]r[SOH]\r\n[ACK][BS]\r\n**Cover is Closed**\r\n"));
    QVERIFY(t.terminal.PortIdle);
    // Get Response and Send Command each put the focus back.
    QCOMPARE(focused, 2);
}

void tst_SendCommand::anEmptyLineOnlyQueries_data()
{
    QTest::addColumn<bool>("autoQuery");
    QTest::addColumn<QString>("shown");
    QTest::newRow("with Auto Query") << true << "\r\n** No Responce**\r\n";
    QTest::newRow("without Auto Query") << false << "";
}

void tst_SendCommand::anEmptyLineOnlyQueries()
{
    QFETCH(bool, autoQuery);
    QFETCH(QString, shown);
    TestTerminal t;
    t.terminal.input().autoQuery = autoQuery;
    sendLine(t, QString());
    QCOMPARE(t.transcript, shown);
    QVERIFY(t.line().calls.filter(QStringLiteral("write")).isEmpty());
    QCOMPARE(t.line().opens, autoQuery ? 2 : 1);
    QVERIFY(t.terminal.controls().commandHistory.isEmpty());
    QVERIFY(t.terminal.PortIdle);
}

void tst_SendCommand::macroModeLeavesThePortToTheMacros_data()
{
    QTest::addColumn<bool>("autoQuery");
    QTest::newRow("without Auto Query") << false;
    QTest::newRow("with Auto Query") << true;
}

void tst_SendCommand::macroModeLeavesThePortToTheMacros()
{
    QFETCH(bool, autoQuery);
    TestTerminal t;
    t.terminal.preparePort(); // macro mode holds the port open
    t.terminal.MacroMode = true;
    t.terminal.PortOpen = true;
    t.line().calls.clear();
    const int restarts = t.pacer.restarts;
    t.terminal.input().autoQuery = autoQuery;
    sendLine(t, QStringLiteral("AB"));
    QCOMPARE(t.line().received, QByteArray("AB"));
    QCOMPARE(t.line().calls.first(), QStringLiteral("write 4142"));
    QVERIFY(!t.terminal.PortIdle);
    // Auto Query still reads the answer: it reopens the port and closes it again.
    QCOMPARE(t.line().opens, autoQuery ? 2 : 1);
    QCOMPARE(t.pacer.restarts, restarts + (autoQuery ? 1 : 0));
    t.terminal.commands().Indata_KeyPress('x');
    QCOMPARE(t.line().opens, autoQuery ? 2 : 1);
    QVERIFY(!t.terminal.PortIdle);
}

void tst_SendCommand::keysGoOutAtOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("echo");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("letter") << int('a') << QByteArray("a") << "a" << false;
    QTest::newRow("Enter") << 13 << QByteArray("\r\n") << "[CR][LF]\r\n" << true;
    QTest::newRow("line feed") << 10 << QByteArray("\n\r") << "[LF][CR]\r\n" << false;
    QTest::newRow("escape") << 27 << QByteArray("\x1b") << "[ESC]" << false;
    QTest::newRow("DEL") << 127 << QByteArray("\x7f") << "\x7f" << false;
    QTest::newRow("above 127") << 200 << QByteArray("\xc8") << "< 200>" << false;
}

void tst_SendCommand::keysGoOutAtOnce()
{
    QFETCH(int, key);
    QFETCH(QByteArray, sent);
    QFETCH(QString, echo);
    QFETCH(bool, cleared);
    TestTerminal t;
    int clears = 0;
    connect(&t.terminal, &Terminal::interactiveCleared, this, [&] { ++clears; });
    t.terminal.commands().Indata_KeyPress(quint8(key));
    QCOMPARE(t.line().received, sent);
    QCOMPARE(t.line().writes.size(), sent.size());
    QCOMPARE(t.transcript, echo);
    QCOMPARE(clears, cleared ? 1 : 0);
    QCOMPARE(t.line().opens, 1);
    QVERIFY(t.terminal.PortIdle);
    QVERIFY(t.terminal.OutBuf.isEmpty());
}

QTEST_GUILESS_MAIN(tst_SendCommand)
#include "tst_sendcommand.moc"
