#include "support/TestTerminal.h"

#include <QTest>

// The line settings, the port display, the idle timer, Break, Send_Info and Get_Info.
class tst_PortControl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void modeStringJoinsTheSettings_data();
    void modeStringJoinsTheSettings();
    void dispPortShowsRateAndBreakForSerialNames_data();
    void dispPortShowsRateAndBreakForSerialNames();
    void idleTimerClosesOnceAfterTheLastOperation();
    void macroModeKeepsThePortOpen();
    void breakHoldsTheLineForOneSecond();
    void sendInfoWritesOnlyWhilePortOpen();
    void getInfoReadsUntilNothingComes();
    void aPortThatCannotOpenRefusesWritesAndReadsNothing();
};

void tst_PortControl::modeStringJoinsTheSettings_data()
{
    QTest::addColumn<QString>("parity");
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << "N" << "8" << "baud=19200 parity=N data=8 stop=1";
    QTest::newRow("even, 7 bits") << "E" << "7" << "baud=19200 parity=E data=7 stop=1";
}

void tst_PortControl::modeStringJoinsTheSettings()
{
    QFETCH(QString, parity);
    QFETCH(QString, bits);
    QFETCH(QString, expected);
    PortSettings s;
    s.Parity = parity;
    s.Bits = bits;
    QCOMPARE(s.ModeString(), expected);
    const auto mode = parseModeString(s.ModeString());
    QVERIFY(mode);
    QCOMPARE(mode->baud, 19200);
    QCOMPARE(mode->parity, parity.at(0).toLatin1());
    QCOMPARE(mode->dataBits, bits.toInt());
    QVERIFY(!parseModeString(QStringLiteral("baud=fast parity=N data=8 stop=1")));
}

void tst_PortControl::dispPortShowsRateAndBreakForSerialNames_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("breakEnabled");
    QTest::newRow("COM1") << "COM1" << "COM1 19200" << true;
    QTest::newRow("com1 lower case") << "com1" << "com1" << false;
    QTest::newRow("empty") << "" << "" << false;
    QTest::newRow("None") << "None" << "None" << false;
    QTest::newRow("short tty name") << "ttyUSB0" << "ttyUSB0 19200" << true;
    QTest::newRow("device path") << "/dev/ttyS0" << "/dev/ttyS0 19200" << true;
    QTest::newRow("pseudo-terminal") << "/dev/pts/3" << "/dev/pts/3" << false;
}

void tst_PortControl::dispPortShowsRateAndBreakForSerialNames()
{
    QFETCH(QString, port);
    QFETCH(QString, shown);
    QFETCH(bool, breakEnabled);
    TestTerminal t;
    t.terminal.Settings.IOPort = port;
    t.terminal.DispPort();
    QCOMPARE(t.terminal.controls().curPort, shown);
    QCOMPARE(t.terminal.controls().breakEnabled, breakEnabled);
}

void tst_PortControl::idleTimerClosesOnceAfterTheLastOperation()
{
    TestTerminal t;
    t.terminal.Settings.IOPort = QStringLiteral("COM1");
    // Two operations 3 s apart, each preparing and releasing the port as Break does.
    t.terminal.preparePort();
    t.terminal.releasePort();
    t.pacer.advance(3000);
    t.terminal.preparePort();
    t.terminal.releasePort();
    QCOMPARE(t.line().opens, 2);
    t.pacer.advance(4999);
    QCOMPARE(t.line().closes, 0);
    t.pacer.advance(1);
    QCOMPARE(t.line().closes, 1);
    QVERIFY(!t.terminal.PortIdle);
    t.pacer.advance(20000);
    QCOMPARE(t.line().closes, 1);
}

void tst_PortControl::macroModeKeepsThePortOpen()
{
    TestTerminal t;
    t.terminal.preparePort();
    t.terminal.MacroMode = true;
    t.terminal.PortIdle = true;
    t.pacer.advance(60000);
    QCOMPARE(t.line().closes, 0);
    QVERIFY(t.line().open);
}

void tst_PortControl::breakHoldsTheLineForOneSecond()
{
    TestTerminal t;
    t.terminal.LoopActive = true;
    QStringList captions;
    t.pacer.onSleep = [&](int) { captions.append(t.terminal.controls().breakCaption); };
    t.terminal.DoBreak_Click();
    QVERIFY(!t.terminal.LoopActive);
    QCOMPARE(t.pacer.sleeps, QList<int>{1000});
    QCOMPARE(captions, QStringList{QStringLiteral("Wait")});
    QCOMPARE(t.terminal.controls().breakCaption, QStringLiteral("Break"));
    QCOMPARE(t.line().calls,
             QStringList({"open baud=19200 parity=N data=8 stop=1", "flow 2", "break on",
                          "break off"}));
    QVERIFY(t.terminal.PortIdle);
}

void tst_PortControl::sendInfoWritesOnlyWhilePortOpen()
{
    TestTerminal t;
    t.terminal.preparePort();
    t.terminal.Send_Info("\x05\x17", 2);
    QVERIFY(t.line().received.isEmpty());
    QVERIFY(t.op.shown.isEmpty());
    t.terminal.PortOpen = true;
    t.terminal.Send_Info(QByteArray("\x1b\x1f\x72" "Demo\0", 8), 8);
    QCOMPARE(t.line().received, QByteArray("\x1b\x1f\x72" "Demo\0", 8));
}

void tst_PortControl::getInfoReadsUntilNothingComes()
{
    TestTerminal t;
    t.terminal.preparePort();
    QCOMPARE(t.terminal.Get_Info(), QByteArray());
    QCOMPARE(t.line().calls.filter(QStringLiteral("read")).size(), 1);
    t.line().pending = QByteArray("\x06\x08\x00\xff", 4);
    QCOMPARE(t.terminal.Get_Info(), QByteArray("\x06\x08\x00\xff", 4));
}

void tst_PortControl::aPortThatCannotOpenRefusesWritesAndReadsNothing()
{
    TestTerminal t;
    t.line().canOpen = false;
    t.terminal.preparePort();
    POSPrinter &p = t.terminal.printer();
    QCOMPARE(p.WriteData("AB", 2), qint16(0));
    QCOMPARE(p.BytesWritten(), 0);
    t.line().pending = "X";
    QCOMPARE(p.ReadData(1), QByteArray());
    QVERIFY(p.lastOpenError().contains(QStringLiteral("None")));
}

QTEST_GUILESS_MAIN(tst_PortControl)
#include "tst_portcontrol.moc"
