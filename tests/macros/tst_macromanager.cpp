#include "about/DocumentOpener.h"
#include "about/HelpDocuments.h"
#include "macros/MacroSession.h"
#include "support/TestTerminal.h"

#include <QSignalSpy>
#include <QTest>

// The macro manager's buttons against a scripted printer: the bytes of each command, the
// waits and refreshes after it, the listing, and ending macro mode on close.
class tst_MacroManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttonsWriteTheirCommands_data();
    void buttonsWriteTheirCommands();
    void loadingResetsTheBoxesAndShowsTheListing();
    void queryShowsWhatWasWaitingAheadOfTheListing();
    void recordingEndReadsTheBoxesAgain();
    void closingDuringARecordingEndsItFirst_data();
    void closingDuringARecordingEndsItFirst();
    void extendedStoreAsksFirst_data();
    void extendedStoreAsksFirst();
    void helpOpensTheMacroDocument();
};

namespace {

enum Action { Play, Remove, RecordTwice, Query, Clear, Transfer };

// A printer that passed the product check: it answers the product query and the directory
// query.
struct MacroPrinter
{
    MacroPrinter(const QByteArray &model = "CV4700")
    {
        product = "ID CMD:" + model + " FW1.07\r";
        t.terminal.Settings.IOPort = QStringLiteral("COM1");
        t.line().onWrite = [this](const QByteArray &bytes) {
            if (bytes == QByteArray("\x05\x15", 2))
                t.line().pending += product;
            else if (bytes == QByteArray("\x05\x17", 2))
                t.line().pending += listing;
        };
    }

    // Macros > Program; true when the manager opened.
    bool enter()
    {
        t.terminal.macros().DoMacros_Click();
        writesAtLoad = t.line().writes.size();
        sleepsAtLoad = t.pacer.sleeps.size();
        return manager().isLoaded();
    }
    MacroManager &manager() { return t.terminal.macros().manager(); }
    // What the manager wrote since it loaded, one hex string per write.
    QStringList writes() const
    {
        QStringList hex;
        for (const QByteArray &w : t.ports.line.writes.mid(writesAtLoad))
            hex.append(QString::fromLatin1(w.toHex()));
        return hex;
    }
    QList<int> sleeps() const { return t.pacer.sleeps.mid(sleepsAtLoad); }

    TestTerminal t;
    QByteArray product;
    QByteArray listing = "\r\n120   U     Demo\r\n";
    qsizetype writesAtLoad = 0;
    qsizetype sleepsAtLoad = 0;
};

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

} // namespace

void tst_MacroManager::buttonsWriteTheirCommands_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("printQuery");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QList<int>>("sleeps");
    const QString demo = hex("Demo");
    QTest::newRow("play") << int(Play) << "Demo" << true << false
                          << QStringList{"1b1f72" + demo + "00"} << QList<int>{};
    QTest::newRow("play, name outside Latin-1")
        << int(Play) << QString::fromUtf8("Caf\u00e9\u20ac") << true << false
        << QStringList{"1b1f72" + hex("Caf\xe9?") + "00"} << QList<int>{};
    QTest::newRow("remove refreshes")
        << int(Remove) << "Demo" << true << false << QStringList{"1b1f64" + demo + "00", "0517"}
        << QList<int>{1000};
    QTest::newRow("remove, empty name") << int(Remove) << "" << true << false
                                        << QStringList{"1b1f6400", "0517"} << QList<int>{1000};
    QTest::newRow("silent record")
        << int(RecordTwice) << "Demo" << true << false
        << QStringList{"1b1f62" + demo + "00", "1b1f65" + demo + "00", "0517"} << QList<int>{500};
    QTest::newRow("printing record")
        << int(RecordTwice) << "Demo" << false << false
        << QStringList{"1b6701", "1b67021b1f6d" + demo + "00", "0517"} << QList<int>{500};
    QTest::newRow("query") << int(Query) << "Demo" << true << false << QStringList{"0517"}
                           << QList<int>{100};
    QTest::newRow("query with Print Query")
        << int(Query) << "Demo" << true << true << QStringList{"0517", "1b1f71" + demo + "00"}
        << QList<int>{100};
}

void tst_MacroManager::buttonsWriteTheirCommands()
{
    QFETCH(int, action);
    QFETCH(QString, name);
    QFETCH(bool, silent);
    QFETCH(bool, printQuery);
    QFETCH(QStringList, writes);
    QFETCH(QList<int>, sleeps);
    MacroPrinter p;
    QVERIFY(p.enter());
    MacroManager &m = p.manager();
    m.input().macroName = name;
    m.input().silent = silent;
    m.input().prtQuery = printQuery;

    switch (Action(action)) {
    case Play:
        m.MacroPlay_Click();
        break;
    case Remove:
        m.MacroDel_Click();
        break;
    case RecordTwice:
        m.MacroRecord_Click();
        QVERIFY(m.MacroRecordActive);
        QCOMPARE(m.controls().recordCaption, QStringLiteral("End Record"));
        m.MacroRecord_Click();
        QVERIFY(!m.MacroRecordActive);
        QCOMPARE(m.controls().recordCaption, QStringLiteral("Record"));
        break;
    case Query:
        m.MacroQuery_Click();
        break;
    default:
        QFAIL("not a button of this table");
    }

    QCOMPARE(p.writes(), writes);
    QCOMPARE(p.sleeps(), sleeps);
}

void tst_MacroManager::loadingResetsTheBoxesAndShowsTheListing()
{
    MacroPrinter p("CV4200");
    p.t.line().pending = "stale";
    QVERIFY(p.enter());
    MacroManager &m = p.manager();
    QCOMPARE(m.controls().macroStatus, QStringLiteral("120   U     Demo\n"));
    QVERIFY(!m.controls().extStoreEnabled);
    QCOMPARE(p.t.line().writes.last(), QByteArray("\x05\x17", 2));

    m.input().silent = false;
    m.input().prtQuery = true;
    m.input().macroName = QStringLiteral("Logo");
    m.OKButton_Click();
    QVERIFY(!p.t.terminal.MacroMode);

    // Loaded again: Silent Record set, Print Query clear, the name back to its first text;
    // a listing of two characters or fewer leaves the box empty.
    p.listing = "\r\n";
    QVERIFY(p.enter());
    QVERIFY(m.controls().silent);
    QVERIFY(!m.controls().prtQuery);
    QCOMPARE(m.controls().macroName, QStringLiteral("Demo"));
    QCOMPARE(m.controls().macroStatus, QString());
}

void tst_MacroManager::queryShowsWhatWasWaitingAheadOfTheListing()
{
    MacroPrinter p;
    QVERIFY(p.enter());
    MacroManager &m = p.manager();

    p.t.line().pending = "ABCD";
    m.MacroQuery_Click();
    QCOMPARE(m.controls().macroStatus, QStringLiteral("CD\n120   U     Demo\n"));

    // A refresh discards what was waiting first.
    p.t.line().pending = "ABCD";
    m.MacroDel_Click();
    QCOMPARE(m.controls().macroStatus, QStringLiteral("120   U     Demo\n"));
}

void tst_MacroManager::recordingEndReadsTheBoxesAgain()
{
    MacroPrinter p;
    QVERIFY(p.enter());
    MacroManager &m = p.manager();
    m.MacroRecord_Click();
    m.input().silent = false;
    m.input().macroName = QStringLiteral("Other");
    m.MacroRecord_Click();
    QCOMPARE(p.writes().mid(0, 2),
             (QStringList{"1b1f62" + hex("Demo") + "00", "1b67021b1f6d" + hex("Other") + "00"}));
}

void tst_MacroManager::closingDuringARecordingEndsItFirst_data()
{
    QTest::addColumn<bool>("byOk");
    QTest::newRow("OK") << true;
    QTest::newRow("close box") << false;
}

void tst_MacroManager::closingDuringARecordingEndsItFirst()
{
    QFETCH(bool, byOk);
    MacroPrinter p;
    QVERIFY(p.enter());
    MacroManager &m = p.manager();
    QSignalSpy unloaded(&m, &MacroManager::unloaded);
    m.MacroRecord_Click();
    const qsizetype before = p.t.line().calls.size();
    p.t.pacer.onSleep = [&p](int ms) {
        p.t.line().calls.append(QStringLiteral("sleep %1").arg(ms));
    };

    if (byOk)
        m.OKButton_Click();
    else
        m.Form_Unload();

    QStringList calls;
    for (const QString &call : p.t.line().calls.mid(before)) {
        if (!call.startsWith(QLatin1String("read ")))
            calls.append(call);
    }
    QCOMPARE(calls, (QStringList{"write 1b1f65" + hex("Demo") + "00", "sleep 500", "write 0517",
                                 "sleep 500", "close"}));
    QVERIFY(!m.MacroRecordActive);
    QCOMPARE(m.controls().recordCaption, QStringLiteral("Record"));
    QVERIFY(!m.isLoaded());
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!p.t.terminal.MacroMode);
    QVERIFY(!p.t.terminal.PortOpen);

    // Closing again (a second click on the close box) does not end macro mode twice.
    m.Form_Unload();
    QCOMPARE(unloaded.count(), 1);
    QCOMPARE(p.t.line().closes, 1);
}

void tst_MacroManager::extendedStoreAsksFirst_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<Operator::Answer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("writes");
    const QString clear = QStringLiteral("This will clear all Extended Store information");
    const QString transfer = QStringLiteral("This will transfer User Store to Extended Store");
    QTest::newRow("clear, OK") << int(Clear) << Operator::Answer::Ok << clear
                               << QStringList{"1b1f6645585400", "0517"};
    QTest::newRow("clear, Cancel")
        << int(Clear) << Operator::Answer::Cancel << clear << QStringList{};
    QTest::newRow("transfer, OK") << int(Transfer) << Operator::Answer::Ok << transfer
                                  << QStringList{"1b1f7400", "0517"};
    QTest::newRow("transfer, Cancel")
        << int(Transfer) << Operator::Answer::Cancel << transfer << QStringList{};
}

void tst_MacroManager::extendedStoreAsksFirst()
{
    QFETCH(int, action);
    QFETCH(Operator::Answer, answer);
    QFETCH(QString, question);
    QFETCH(QStringList, writes);
    MacroPrinter p;
    QVERIFY(p.enter());
    MacroManager &m = p.manager();
    QVERIFY(m.controls().extStoreEnabled);
    p.t.op.answers = {answer};
    const QString statusBefore = m.controls().macroStatus;
    p.listing = "\r\n120   E     Demo\r\n";

    if (action == Clear)
        m.Clearext_Click();
    else
        m.Transfer_Click();

    QCOMPARE(p.t.op.shown.size(), 1);
    QCOMPARE(p.t.op.shown.at(0).text, question);
    QCOMPARE(p.t.op.shown.at(0).title, QStringLiteral("Extended Store"));
    QCOMPARE(p.t.op.shown.at(0).buttons, Operator::Buttons::OkCancel);
    QCOMPARE(p.writes(), writes);
    const bool sent = answer == Operator::Answer::Ok;
    QCOMPARE(p.sleeps(), sent ? (QList<int>{2000, 100}) : QList<int>{});
    QCOMPARE(m.controls().macroStatus, sent ? QStringLiteral("120   E     Demo\n") : statusBefore);
}

void tst_MacroManager::helpOpensTheMacroDocument()
{
    struct Recorder : DocumentOpener
    {
        void open(const QString &path) override { paths.append(path); }
        QStringList paths;
    } recorder;
    MacroPrinter p;
    p.t.terminal.help().setOpener(&recorder);
    p.t.terminal.StartDir = QStringLiteral("/srv/printers");
    QVERIFY(p.enter());
    p.manager().Helpme_Click();
    QCOMPARE(recorder.paths, QStringList{QStringLiteral("/srv/printers/CVMacro.htm")});
}

QTEST_GUILESS_MAIN(tst_MacroManager)
#include "tst_macromanager.moc"
