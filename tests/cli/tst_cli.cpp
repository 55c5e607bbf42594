#include "support/PtyMaster.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// corvane-cli end to end: its options, the bytes it sends to a pseudo-terminal that plays
// the printer, and exactly what it writes on standard output and standard error.
class tst_Cli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sendsAndShowsTheAnswer_data();
    void sendsAndShowsTheAnswer();
    void aPortThatCannotOpenIsReportedAndFails();
    void runsAScriptOrSendsAPrintFile_data();
    void runsAScriptOrSendsAPrintFile();
    void usageErrorsExitWithTwo_data();
    void usageErrorsExitWithTwo();
};

namespace {

// A printer on the far end of a pseudo-terminal: records what it receives and, once a
// trigger has arrived, answers once.
struct PtyPrinter
{
    PtyMaster line;
    QByteArray trigger;
    QByteArray answer;
    QByteArray received;
    bool answered = false;

    void pump()
    {
        received += line.drain();
        if (!answered && !answer.isEmpty() && received.contains(trigger))
            answered = line.write(answer);
    }
};

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList &arguments, PtyPrinter *printer = nullptr)
{
    QProcess process;
    process.start(QStringLiteral(CORVANE_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForStarted(10000))
        return run;
    QElapsedTimer deadline;
    deadline.start();
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired(30000)) {
        if (printer)
            printer->pump();
        process.waitForFinished(5);
    }
    if (printer)
        printer->pump();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

void tst_Cli::sendsAndShowsTheAnswer_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("out");

    const QByteArray status = "\x1dr\x01";
    QTest::newRow("command without Auto Query")
        << QStringList{"--no-auto-query", "--send", "[ESC]@Hi<10><200>"} << QByteArray()
        << QByteArray("\x1b@Hi\n\xc8") << QByteArray("\r\n[ESC]@Hi[LF]\r\n< 200>");
    QTest::newRow("command with Auto Query")
        << QStringList{"--send", "<x1D>r<1>"} << QByteArray("\x06\x08") << status
        << QByteArray("\r\n[GS]r[SOH]\r\n[ACK][BS]\r\n**Cover is Closed**\r\n");
    QTest::newRow("status answer, Hex")
        << QStringList{"--display", "hex", "--send", "<x1D>r<1>"} << QByteArray("\x15\x01")
        << status << QByteArray("\r\n[GS]r[SOH]\r\n<15><1>\r\n**Cash Drawer 1 Open**\r\n");
    QTest::newRow("status answer, Dec")
        << QStringList{"--display=dec", "--send", "<x1D>r<1>"} << QByteArray("\x06\x04") << status
        << QByteArray("\r\n[GS]r[SOH]\r\n<6><4>\r\n**Receipt Paper is Present**\r\n");
    QTest::newRow("text answer, Normal")
        << QStringList{"--send", "<x1D>I<1>"} << QByteArray("A\r\nB\xc8") << QByteArray("\x1dI\x01")
        << QByteArray("\r\n[GS]I[SOH]\r\nA\r\nB<200>");
    QTest::newRow("no answer") << QStringList{"--get-response"} << QByteArray() << QByteArray()
                               << QByteArray("\r\n** No Responce**\r\n");
}

void tst_Cli::sendsAndShowsTheAnswer()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, out);
    PtyPrinter printer;
    QVERIFY(printer.line.isValid());
    printer.trigger = sent;
    printer.answer = answer;
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("run.log"));
    const CliRun run =
        runCli(QStringList{"--port", printer.line.path(), "--log", log} + options, &printer);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(printer.received, sent);
    QCOMPARE(run.out, out);
    QFile logFile(log);
    QVERIFY(logFile.open(QIODevice::ReadOnly));
    QCOMPARE(logFile.readAll(), out);
}

void tst_Cli::aPortThatCannotOpenIsReportedAndFails()
{
    const CliRun run = runCli({"--send", "[ESC]@"});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray("\r\n[ESC]@\r\n** No Responce**\r\n"));
    const QList<QByteArray> lines = run.err.split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).contains("\"None\""), lines.at(0).constData());
    QCOMPARE(lines.at(1), QByteArray("Unable to output data. Press OK to continue."));
    QCOMPARE(lines.at(2), QByteArray());
}

namespace {

// Sent unchanged as a print file; as a script it pauses, stops, shows a text and runs a
// file that is not there.
const QByteArray demoScript = "AB{PAUSE:1}{STOP}\r\n{ECHO}Hi there\r\nC{DO:none.dmo}D\r\n";

} // namespace

void tst_Cli::runsAScriptOrSendsAPrintFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("script") << "demo.dmo" << QByteArray("ABCD") << QByteArray("\r\nABCD")
                            << QByteArray("Demo Paused 1\n"
                                          "Script Stopped Press OK to continue\n"
                                          "Hi there\n"
                                          "Cannot read script file $DIR/none.dmo: No such file "
                                          "or directory. Press OK to continue\n")
                            << 1;
    QTest::newRow("print file") << "demo.prn" << demoScript << QByteArray("\r\n") << QByteArray()
                                << 0;
}

void tst_Cli::runsAScriptOrSendsAPrintFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(demoScript);
    file.close();
    PtyPrinter printer;
    QVERIFY(printer.line.isValid());
    const CliRun run =
        runCli({"--port", printer.line.path(), "--script", file.fileName()}, &printer);
    QCOMPARE(run.err, QByteArray(err).replace("$DIR", QFile::encodeName(dir.path())));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(printer.received, sent);
    QCOMPARE(run.out, out);
}

void tst_Cli::usageErrorsExitWithTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("complaint");
    QTest::newRow("no action") << QStringList{"--port", "None"} << QByteArray("no action");
    QTest::newRow("unknown option") << QStringList{"--sned", "x"} << QByteArray("--sned");
    QTest::newRow("missing value") << QStringList{"--send"} << QByteArray("--send");
    QTest::newRow("bad parity") << QStringList{"--parity", "X", "--break"}
                                << QByteArray("--parity");
    QTest::newRow("bad display") << QStringList{"--display=octal", "--break"}
                                 << QByteArray("octal");
    QTest::newRow("bad packet size")
        << QStringList{"--packet-size", "99999", "--break"} << QByteArray("99999");
}

void tst_Cli::usageErrorsExitWithTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, complaint);
    const CliRun run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(run.err.contains(complaint), run.err.constData());
    QVERIFY(run.err.contains("Usage: corvane-cli"));
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
