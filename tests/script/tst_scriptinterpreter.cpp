#include "script/ScriptRunner.h"
#include "support/TestTerminal.h"
#include "terminal/CommandEncoding.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

// The script interpreter and its commands: what the printer receives and what the
// transcript shows for each kind of line, command and file.
class tst_ScriptInterpreter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runSendsAndEchoes_data();
    void runSendsAndEchoes();
    void pauseCountsDownOneSecondAtATime();
    void dataBeforeACommandIsWrittenBeforeItActs();
    void aCancelledPacketEndsTheRun();
    void aCancelBeforeACommandDropsThePendingBytesAndGoesOn();
    void nestingDeeperThan32RunsIsRefused();

private:
    // A folder holding the fixture scripts and the files a row needs.
    struct Folder
    {
        QTemporaryDir dir;
        QString path(const QString &name) const { return dir.filePath(name); }
        void write(const QString &name, const QByteArray &bytes) const;
    };
    static void fillFolder(Folder &folder);
    static void runScript(TestTerminal &t, const QString &boxText);
};

void tst_ScriptInterpreter::Folder::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void tst_ScriptInterpreter::fillFolder(Folder &folder)
{
    QVERIFY(folder.dir.isValid());
    const QDir fixtures(QStringLiteral(TEST_DATA_DIR "/scripts"));
    for (const QString &name : fixtures.entryList(QDir::Files))
        QVERIFY(QFile::copy(fixtures.filePath(name), folder.path(name)));
    QByteArray graphic;
    for (int i = 0; i < 4500; ++i)
        graphic.append(static_cast<char>(i % 251));
    folder.write(QStringLiteral("logo4500.bin"), graphic);
    folder.write(QStringLiteral("logo2001.bin"), graphic.left(2001));
}

void tst_ScriptInterpreter::runScript(TestTerminal &t, const QString &boxText)
{
    t.terminal.input().fileName = boxText;
    t.terminal.scripts().SendScript_Click();
}

namespace {

QByteArray digits(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text.append(static_cast<char>('0' + i % 10));
    return text;
}

QString notFound(const QString &what, const QString &name)
{
    return QStringLiteral("Cannot read %1 $DIR/%2: No such file or directory. Press OK to "
                          "continue")
        .arg(what, name);
}

} // namespace

void tst_ScriptInterpreter::runSendsAndEchoes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("shown");
    // Sizes of the writes; empty where they do not matter.
    QTest::addColumn<QList<int>>("writes");
    QTest::addColumn<QList<int>>("sleeps");
    // Message boxes, with the folder shown as $DIR.
    QTest::addColumn<QStringList>("messages");

    const QList<int> none;
    const QStringList quiet;
    const QString recursive = QStringLiteral("Recursive DO Press OK to continue");
    const QDateTime clock(QDate(2026, 3, 14), QTime(17, 45, 12));
    const QByteArray date =
        toLatin1Bytes(QLocale::system().toString(clock.date(), QLocale::ShortFormat));
    QByteArray time =
        toLatin1Bytes(QLocale::system().toString(clock.time(), QStringLiteral("HH:mm")));
    const QString shortTime = QLocale::system().timeFormat(QLocale::ShortFormat);
    if (shortTime.contains(u'.') && !shortTime.contains(u':'))
        time.replace(':', '.');

    QTest::newRow("CR LF, packet size 20: one write at the end")
        << "T.DMO" << QByteArray("AB\r\nC") << QByteArray("ABC") << "ABC" << QList<int>{3} << none
        << quiet;
    QTest::newRow("number group and mnemonics") << "T.DMO" << QByteArray("<27>a[lf]\r\n")
                                                << QByteArray("\x1b"
                                                              "a\n")
                                                << "[ESC]a[LF]\r\n"
                                                << none << none << quiet;
    QTest::newRow("backslash n, N and t")
        << "T.DMO" << QByteArray("A\\nB\\NC\\tD\r\n") << QByteArray("A\r\nBNC\tD")
        << "A\r\nBNC[HT]D" << none << none << quiet;
    QTest::newRow("back-quote comments")
        << "T.DMO" << QByteArray("ABC`note\r\n`whole line\r\nD\\`E\r\n") << QByteArray("ABCD`E")
        << "ABCD`E" << none << none << quiet;
    QTest::newRow("a TAB ends the line") << "T.DMO" << QByteArray("AB\tCD\r\n")
                                         << QByteArray("ABCD") << "ABCD" << none << none << quiet;
    QTest::newRow("backslash at the end of a CR LF line")
        << "T.DMO" << QByteArray("ABC\\\r\nD\r\n") << QByteArray("ABC\rD") << "ABC[CR]D" << none
        << none << quiet;
    QTest::newRow("300 characters: the first 256 are sent")
        << "T.DMO" << digits(300) + "\r\nE\r\n"
        << digits(256) + "E" << QString::fromLatin1(digits(256) + "E") << none << none << quiet;
    QTest::newRow("<27> then 300 characters: ESC and the next 255")
        << "T.DMO"
        << "<27>" + digits(300) + "\r\n"
        << "\x1b" + digits(255) << "[ESC]" + QString::fromLatin1(digits(255)) << none << none
        << quiet;
    QTest::newRow("byte 200") << "T.DMO"
                              << QByteArray("A\xc8"
                                            "B\r\n")
                              << QByteArray("A\xc8"
                                            "B")
                              << "A< 200>B" << none << none << quiet;
    QTest::newRow("value above 255")
        << "T.DMO" << QByteArray("<300>A\r\n") << QByteArray("\0A", 2) << "[NUL]A" << none << none
        << QStringList{valueTooLargeMessage()};
    QTest::newRow("empty file") << "T.DMO" << QByteArray() << QByteArray() << "" << none << none
                                << quiet;

    const QByteArray raw("AB\r\nC`d\\n{WAIT:5}<27>[LF]\0\xff", 27);
    QTest::newRow("X.PRN is sent unchanged, no echo")
        << "X.PRN" << raw << raw << "" << none << none << quiet;
    QTest::newRow("raw mode writes in blocks of 1024")
        << "X.PRN" << digits(2500) << digits(2500) << "" << QList<int>{1024, 1024, 452} << none
        << quiet;
    QTest::newRow("DO of a .PRN under a .DMO box is interpreted")
        << "A.DMO" << QByteArray("a{DO:inner.prn}z\r\n") << QByteArray("a\x1bz") << "a[ESC]z"
        << none << none << quiet;
    QTest::newRow("nothing is interpreted under a .PRN box")
        << "A.PRN" << QByteArray("a{DO:inner.dmo}z") << QByteArray("a{DO:inner.dmo}z") << "" << none
        << none << quiet;

    QTest::newRow("WAIT with a colon")
        << "T.DMO" << QByteArray("{WAIT:500}AB\r\n") << QByteArray("AB") << "AB" << none
        << QList<int>{500} << quiet;
    QTest::newRow("wait with a dot, lower case")
        << "T.DMO" << QByteArray("{wait.500}AB\r\n") << QByteArray("AB") << "AB" << none
        << QList<int>{500} << quiet;
    QTest::newRow("leading space in the name")
        << "T.DMO" << QByteArray("{ WAIT:500}\r\n") << QByteArray() << "" << none << QList<int>{500}
        << quiet;
    QTest::newRow("trailing space: unknown name")
        << "T.DMO" << QByteArray("{WAIT :500}AB\r\n") << QByteArray("AB") << "AB" << none << none
        << quiet;
    QTest::newRow("unknown command before data")
        << "T.DMO" << QByteArray("{FOO}ABC\r\n") << QByteArray("ABC") << "ABC" << none << none
        << quiet;
    QTest::newRow("unknown command at the end of a CR LF line")
        << "T.DMO" << QByteArray("X{FOO}\r\nY\r\n") << QByteArray("X\rY") << "X[CR]Y" << none
        << none << quiet;
    QTest::newRow("unknown command at the end of the file")
        << "T.DMO" << QByteArray("X{FOO}") << QByteArray("X") << "X" << none << none << quiet;
    QTest::newRow("name past position 10")
        << "T.DMO" << QByteArray("{ABCDEFGHIJ}Z\r\n") << QByteArray("{ABCDEFGHIJ}Z")
        << "{ABCDEFGHIJ}Z" << none << none << quiet;
    QTest::newRow("nine-character name is read") << "T.DMO" << QByteArray("{  BREAKON}Z\r\n")
                                                 << QByteArray("Z") << "Z" << none << none << quiet;
    QTest::newRow("argument without } within 30 characters")
        << "T.DMO"
        << "{WAIT:" + digits(31) + "}\r\n"
        << digits(31) + "}" << QString::fromLatin1(digits(31) + "}") << none << none << quiet;

    QTest::newRow("DATE") << "T.DMO" << QByteArray("{DATE}\r\n") << date
                          << QString::fromLatin1(date) + "\r\n"
                          << none << none << quiet;
    QTest::newRow("TIME") << "T.DMO" << QByteArray("{TIME}\r\n") << time
                          << QString::fromLatin1(time) + "\r\n"
                          << none << none << quiet;
    QTest::newRow("one-digit counter is echoed twice")
        << "T.DMO" << QByteArray("{A=:7}{A}\r\n") << QByteArray("7") << "77" << none << none
        << quiet;
    QTest::newRow("two-digit counter is followed by a line break")
        << "T.DMO" << QByteArray("{A=:12}{A}\r\n") << QByteArray("12") << "12\r\n"
        << none << none << quiet;
    QTest::newRow("{A=7} is an unknown name")
        << "T.DMO" << QByteArray("{A=7}X\r\n") << QByteArray("X") << "X" << none << none << quiet;
    QTest::newRow("counters add, subtract and go negative")
        << "T.DMO" << QByteArray("{B=: 5 }{B+:&HA}{B-:20.5}{B}{A}\r\n") << QByteArray("-50")
        << "-5\r\n00" << none << none << quiet;
    QTest::newRow("counter argument that is not a number")
        << "T.DMO" << QByteArray("{A=:7x}{A}\r\n") << QByteArray("0") << "00" << none << none
        << QStringList{"Counter value \"7x\" is not a number from -32768 to 32767. Press OK "
                       "to continue"};
    QTest::newRow("counter that would leave the range")
        << "T.DMO" << QByteArray("{A=:32767}{A+:1}{A}\r\n") << QByteArray("32767") << "32767\r\n"
        << none << none
        << QStringList{"Counter A cannot become 32768: counters hold -32768 to 32767. Press "
                       "OK to continue"};
    QTest::newRow("number value out of range")
        << "T.DMO" << QByteArray("{WAIT:99999}A\r\n") << QByteArray("A") << "A" << none << none
        << QStringList{"Value \"99999\" is not a number from -32768 to 32767. Press OK to "
                       "continue"};

    QTest::newRow("RPT 3") << "T.DMO" << QByteArray("{RPT:3}XY\r\nZ\r\n") << QByteArray("XYXYXYZ")
                           << "XYXYXYZ" << none << none << quiet;
    QTest::newRow("RPT 0") << "T.DMO" << QByteArray("{RPT:0}XY\r\nZ\r\n") << QByteArray("Z") << "Z"
                           << none << none << quiet;
    QTest::newRow("RPT 2 after the end of a file without a line end")
        << "T.DMO" << QByteArray("A\r\n{RPT:2}AB") << QByteArray("AABAB") << "AABAB" << none << none
        << quiet;

    QTest::newRow("DO of the running file")
        << "T.DMO" << QByteArray("a{DO:T.DMO}b\r\n") << QByteArray("ab") << "ab" << none << none
        << QStringList{recursive};
    QTest::newRow("A runs B runs A")
        << "A.DMO" << QByteArray("a{DO:cycle_b.dmo}z\r\n") << QByteArray("abcz") << "abcz" << none
        << none << QStringList{recursive};
    QTest::newRow("DO of a missing file")
        << "T.DMO" << QByteArray("a{DO:none.dmo}b\r\n") << QByteArray("ab") << "ab" << none << none
        << QStringList{notFound(QStringLiteral("script file"), "none.dmo")};

    QByteArray logo;
    for (int i = 0; i < 4500; ++i)
        logo.append(static_cast<char>(i % 251));
    QTest::newRow("GRAPHIC of 4500 bytes")
        << "T.DMO" << QByteArray("a{GRAPHIC:logo4500.bin}b\r\n") << "a" + logo + "b"
        << "ab" << QList<int>{1, 2001, 2001, 498, 1} << none << quiet;
    QTest::newRow("GRAPHIC of 2001 bytes")
        << "T.DMO" << QByteArray("{GRAPHIC:logo2001.bin}\r\n") << logo.left(2001) << ""
        << QList<int>{2001} << none << quiet;
    QTest::newRow("GRAPHIC of a missing file")
        << "T.DMO" << QByteArray("a{GRAPHIC:none.bin}b\r\n") << QByteArray("ab") << "ab"
        << QList<int>{1, 1} << none
        << QStringList{notFound(QStringLiteral("graphic file"), "none.bin")};

    QTest::newRow("STOP") << "T.DMO" << QByteArray("{STOP}ABC\r\n") << QByteArray("ABC") << "ABC"
                          << none << none << QStringList{"Script Stopped Press OK to continue"};
    QTest::newRow("ECHO") << "T.DMO" << QByteArray("{ECHO}Hello\r\n") << QByteArray() << "" << none
                          << none << QStringList{"Hello"};
    QTest::newRow("REM, also without a line end")
        << "T.DMO" << QByteArray("{REM}Hello\r\n{REM}Hello") << QByteArray() << "" << none << none
        << quiet;
    QTest::newRow("GET1284, then more data")
        << "T.DMO" << QByteArray("A{GET1284}B\r\n") << QByteArray("AB")
        << "A\r\n** No Responce**\r\nB" << QList<int>{1, 1} << none << quiet;
    QTest::newRow("BREAK") << "T.DMO" << QByteArray("{BREAK:250}{BREAKON}{BREAKOFF}\r\n")
                           << QByteArray() << "" << none << QList<int>{250} << quiet;
}

void tst_ScriptInterpreter::runSendsAndEchoes()
{
    QFETCH(QString, box);
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, sent);
    QFETCH(QString, shown);
    QFETCH(QList<int>, writes);
    QFETCH(QList<int>, sleeps);
    QFETCH(QStringList, messages);

    Folder folder;
    fillFolder(folder);
    folder.write(box, script);
    TestTerminal t;
    // A refused write is given up at once rather than retried for ever.
    t.op.onMessage = [&](const TestOperator::Shown &shown) {
        if (shown.buttons == Operator::Buttons::OkCancel)
            t.op.answers.prepend(Operator::Answer::Cancel);
    };
    runScript(t, folder.path(box));

    QCOMPARE(t.line().received, sent);
    QCOMPARE(t.transcript, QStringLiteral("\r\n") + shown);
    if (!writes.isEmpty()) {
        QList<int> sizes;
        for (const QByteArray &w : t.line().writes)
            sizes.append(int(w.size()));
        QCOMPARE(sizes, writes);
    }
    QCOMPARE(t.pacer.sleeps, sleeps);
    QStringList texts = t.op.texts();
    texts.replaceInStrings(folder.dir.path(), QStringLiteral("$DIR"));
    QCOMPARE(texts, messages);
    QVERIFY(t.terminal.controls().sendCommandEnabled);
    QVERIFY(t.terminal.controls().getrespEnabled);
    QVERIFY(t.terminal.OutBuf.isEmpty());
}

void tst_ScriptInterpreter::pauseCountsDownOneSecondAtATime()
{
    Folder folder;
    fillFolder(folder);
    folder.write(QStringLiteral("P.DMO"), "{PAUSE:3}A{PAUSE:0}B\r\n");
    TestTerminal t;
    QStringList seen;
    connect(&t.terminal, &Terminal::pauseShown, this, [&](int left) {
        seen.append(QStringLiteral("show %1 at %2 ms").arg(left).arg(t.pacer.elapsedMs));
    });
    connect(&t.terminal, &Terminal::pauseHidden, this,
            [&] { seen.append(QStringLiteral("hide at %1 ms").arg(t.pacer.elapsedMs)); });
    int passesAtSleep = -1;
    t.pacer.onSleep = [&](int) {
        // The window is repainted before each second's sleep.
        QVERIFY(t.pacer.eventPasses > passesAtSleep);
        passesAtSleep = t.pacer.eventPasses;
    };
    runScript(t, folder.path(QStringLiteral("P.DMO")));
    QCOMPARE(seen, QStringList({"show 3 at 0 ms", "show 2 at 1000 ms", "show 1 at 2000 ms",
                                "hide at 3000 ms", "hide at 3000 ms"}));
    QCOMPARE(t.line().received, QByteArray("AB"));
}

void tst_ScriptInterpreter::dataBeforeACommandIsWrittenBeforeItActs()
{
    Folder folder;
    fillFolder(folder);
    folder.write(QStringLiteral("W.DMO"), "AB{WAIT:5}CD\r\n");
    TestTerminal t;
    QByteArray atWait;
    t.pacer.onSleep = [&](int) { atWait = t.line().received; };
    runScript(t, folder.path(QStringLiteral("W.DMO")));
    QCOMPARE(atWait, QByteArray("AB"));
    QCOMPARE(t.line().received, QByteArray("ABCD"));
}

void tst_ScriptInterpreter::aCancelledPacketEndsTheRun()
{
    Folder folder;
    fillFolder(folder);
    folder.write(QStringLiteral("C.DMO"), "ABC\r\nDEF\r\n");
    TestTerminal t;
    t.terminal.input().packSize = QStringLiteral("2");
    t.line().acceptPerWrite = 0;
    t.op.answers = {Operator::Answer::Cancel};
    runScript(t, folder.path(QStringLiteral("C.DMO")));
    QCOMPARE(t.op.texts(), QStringList{"Unable to output data. Press OK to continue."});
    // A was echoed; B filled the packet that was refused; nothing more was read.
    QCOMPARE(t.transcript, QStringLiteral("\r\nA"));
    QVERIFY(t.terminal.OutBuf.isEmpty());
    QVERIFY(t.terminal.controls().sendCommandEnabled);
}

void tst_ScriptInterpreter::aCancelBeforeACommandDropsThePendingBytesAndGoesOn()
{
    Folder folder;
    fillFolder(folder);
    folder.write(QStringLiteral("C.DMO"), "AB{STOP}CD\r\n");
    TestTerminal t;
    t.line().acceptPerWrite = 0;
    t.op.answers = {Operator::Answer::Cancel};
    t.op.onMessage = [&](const TestOperator::Shown &) { t.line().acceptPerWrite = -1; };
    runScript(t, folder.path(QStringLiteral("C.DMO")));
    QCOMPARE(t.op.texts(), QStringList({"Unable to output data. Press OK to continue.",
                                        "Script Stopped Press OK to continue"}));
    QCOMPARE(t.line().received, QByteArray("CD"));
}

void tst_ScriptInterpreter::nestingDeeperThan32RunsIsRefused()
{
    Folder folder;
    fillFolder(folder);
    for (int i = 1; i <= 40; ++i)
        folder.write(QStringLiteral("d%1.dmo").arg(i),
                     QStringLiteral("%1{DO:d%2.dmo}\r\n").arg(i % 10).arg(i + 1).toLatin1());
    TestTerminal t;
    runScript(t, folder.path(QStringLiteral("d1.dmo")));
    QCOMPARE(t.op.texts(), QStringList{"Recursive DO Press OK to continue"});
    QCOMPARE(t.line().received, digits(33).mid(1));
    QVERIFY(t.terminal.scripts().chain().isEmpty());
}

QTEST_GUILESS_MAIN(tst_ScriptInterpreter)
#include "tst_scriptinterpreter.moc"
