#include "support/TestTerminal.h"
#include "terminal/ResponseReader.h"

#include <QTest>

// Get Response: the waits, the display of each byte in each mode, the status messages and
// what is left of the port afterwards.
class tst_ResponseReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsTheAnswer_data();
    void showsTheAnswer();
    void readsWithTheLongWaitFirstThenClosesThePort_data();
    void readsWithTheLongWaitFirstThenClosesThePort();
    void aModeSwitchMidAnswerTakesEffectFromTheNextByte();
};

void tst_ResponseReader::showsTheAnswer_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<DisplayMode>("mode");
    QTest::addColumn<QString>("shown");

    const auto N = DisplayMode::Normal;
    const auto H = DisplayMode::Hex;
    const auto D = DisplayMode::Dec;
    QTest::newRow("no answer") << QByteArray() << N << "\r\n** No Responce**\r\n";
    QTest::newRow("no answer, Hex") << QByteArray() << H << "\r\n** No Responce**\r\n";
    QTest::newRow("single ACK") << QByteArray("\x06") << N << "\r\n[ACK]";
    QTest::newRow("NAK drawer 1") << QByteArray("\x15\x01") << N
                                  << "\r\n[NAK][SOH]\r\n**Cash Drawer 1 Open**\r\n";
    QTest::newRow("ACK power cycled, Dec")
        << QByteArray("\x06\x0b") << D << "\r\n<6><11>\r\n**Printer has power cycled**\r\n";
    QTest::newRow("NAK reset, Hex")
        << QByteArray("\x15\x0a") << H << "\r\n<15><A>\r\n**Reset Rejected**\r\n";
    QTest::newRow("item code without message") << QByteArray("\x06\x05") << N << "\r\n[ACK][ENQ]";
    QTest::newRow("item code above the table") << QByteArray("\x15\x0c") << H << "\r\n<15><C>";
    QTest::newRow("two status answers: first one only")
        << QByteArray("\x06\x08\x06\x01") << N
        << "\r\n[ACK][BS][ACK][SOH]\r\n**Cover is Closed**\r\n";
    QTest::newRow("status answer, Hex")
        << QByteArray("\x06\x08") << H << "\r\n<6><8>\r\n**Cover is Closed**\r\n";
    QTest::newRow("status answer, Dec")
        << QByteArray("\x06\x08") << D << "\r\n<6><8>\r\n**Cover is Closed**\r\n";
    QTest::newRow("status bytes later in the answer")
        << QByteArray("A\x06\x08") << N << "\r\nA[ACK][BS]";
    QTest::newRow("line break, Normal") << QByteArray("A\r\nB") << N << "\r\nA\r\nB";
    QTest::newRow("line break, Hex") << QByteArray("A\r\nB") << H << "\r\n<41><D><A><42>";
    QTest::newRow("line break, Dec") << QByteArray("A\r\nB") << D << "\r\n<65><13><10><66>";
    QTest::newRow("NUL, Hex") << QByteArray("\0\x1b", 2) << H << "\r\n<0><1B>";
    QTest::newRow("NUL, Normal") << QByteArray("\0\x1b", 2) << N << "\r\n[NUL][ESC]";
    QTest::newRow("200, Normal") << QByteArray("\xc8") << N << "\r\n<200>";
    QTest::newRow("200, Hex") << QByteArray("\xc8") << H << "\r\n<C8>";
    QTest::newRow("200, Dec") << QByteArray("\xc8") << D << "\r\n<200>";
    QTest::newRow("255, Hex") << QByteArray("\xff") << H << "\r\n<FF>";
    QTest::newRow("DEL, Normal") << QByteArray("\x7f") << N << "\r\n\x7f";
}

void tst_ResponseReader::showsTheAnswer()
{
    QFETCH(QByteArray, answer);
    QFETCH(DisplayMode, mode);
    QFETCH(QString, shown);
    TestTerminal t;
    t.terminal.input().displayMode = mode;
    t.line().pending = answer;
    t.terminal.responses().Getresp_Click();
    QCOMPARE(t.transcript, shown);
    QCOMPARE(t.terminal.Term.text(), shown);
}

void tst_ResponseReader::readsWithTheLongWaitFirstThenClosesThePort_data()
{
    QTest::addColumn<bool>("macroMode");
    QTest::newRow("outside macro mode") << false;
    QTest::newRow("in macro mode") << true;
}

void tst_ResponseReader::readsWithTheLongWaitFirstThenClosesThePort()
{
    QFETCH(bool, macroMode);
    TestTerminal t;
    t.terminal.MacroMode = macroMode;
    int focused = 0;
    connect(&t.terminal, &Terminal::focusInteractive, this, [&] { ++focused; });
    t.line().pending = "OK";
    t.terminal.responses().Getresp_Click();
    QCOMPARE(t.line().calls,
             QStringList({"open baud=19200 parity=N data=8 stop=1", "flow 2", "read 1 1000 100",
                          "read 1 10 10", "read 1 10 10", "close"}));
    QCOMPARE(t.pacer.restarts, 1);
    QCOMPARE(t.terminal.PortIdle, !macroMode);
    QCOMPARE(focused, 1);
}

void tst_ResponseReader::aModeSwitchMidAnswerTakesEffectFromTheNextByte()
{
    TestTerminal t;
    t.line().pending = "AB\x1b";
    t.pacer.onEvents = [&](int) {
        if (t.transcript.endsWith(QLatin1Char('A')))
            t.terminal.input().displayMode = DisplayMode::Hex;
    };
    t.terminal.responses().Getresp_Click();
    QCOMPARE(t.transcript, QStringLiteral("\r\nA<42><1B>"));
}

QTEST_GUILESS_MAIN(tst_ResponseReader)
#include "tst_responsereader.moc"
