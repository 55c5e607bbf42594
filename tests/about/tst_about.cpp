#include "about/AboutInfo.h"
#include "about/DocumentOpener.h"
#include "about/HelpDocuments.h"
#include "about/PathSystemKeys.h"
#include "about/SystemInfo.h"
#include "about/ui/frmAbout.h"
#include "support/TestTerminal.h"
#include "terminal/ui/frmTerminal.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The About box, the system-information look-up and the help documents.
class tst_About : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aboutBoxShowsTitleVersionAndTexts();
    void versionTextHasNoLeadingZeros();
    void enterAndEscCloseTheBox_data();
    void enterAndEscCloseTheBox();
    void helpAboutAgainBringsTheSameBox();
    void startSysInfoFindsTheTool_data();
    void startSysInfoFindsTheTool();
    void getKeyValueReadsOnlyStringsThatFit_data();
    void getKeyValueReadsOnlyStringsThatFit();
    void pathLayerResolvesTheFirstToolOnThePath();
    void helpMenuOpensDocumentsOfTheStartFolder_data();
    void helpMenuOpensDocumentsOfTheStartFolder();
    void everyHelpDocumentIsWritten();
};

namespace {

const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");
const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

// Keys and values held in a table; records the programs it is asked to start.
class FakeKeys : public SystemKeys
{
public:
    std::optional<Handle> openKey(quint32 root, const QString &keyName, quint32 access) override
    {
        accesses.append(access);
        if (root != LocalMachine || !keys.contains(keyName))
            return std::nullopt;
        handles.append(keyName);
        ++openCount;
        return Handle(handles.size());
    }
    std::optional<Value> queryValue(Handle key, const QString &valueName) override
    {
        const auto values = keys.value(handles.at(key - 1));
        if (!values.contains(valueName))
            return std::nullopt;
        return values.value(valueName);
    }
    void closeKey(Handle) override { ++closeCount; }
    bool fileExists(const QString &path) override { return files.contains(path); }
    bool startProgram(const QString &path) override
    {
        started.append(path);
        return startWorks;
    }

    QMap<QString, QMap<QString, Value>> keys;
    QStringList files;
    bool startWorks = true;
    QStringList started;
    QStringList handles;
    QList<quint32> accesses;
    int openCount = 0;
    int closeCount = 0;
};

SystemKeys::Value text(const QByteArray &data)
{
    return {SystemKeys::StringType, data};
}

struct Recorder : DocumentOpener
{
    void open(const QString &path) override { paths.append(path); }
    QStringList paths;
};

} // namespace

void tst_About::aboutBoxShowsTitleVersionAndTexts()
{
    TestOperator op;
    FakeKeys keys;
    frmAbout box(op, keys);
    QCOMPARE(box.windowTitle(), QStringLiteral("About Terminal"));
    const auto label = [&box](const char *name) {
        return box.findChild<QLabel *>(QLatin1String(name))->text();
    };
    QCOMPARE(label("lblTitle"), QStringLiteral("Terminal"));
    QCOMPARE(label("lblVersion"), QStringLiteral("300-07415 Version %1.%2.%3")
                                      .arg(CORVANE_VERSION_MAJOR)
                                      .arg(CORVANE_VERSION_MINOR)
                                      .arg(CORVANE_VERSION_PATCH));
    QCOMPARE(label("lblDescription"),
             QStringLiteral("This program allows data to be interactively sent and received "
                            "from Corvane series printers."));
    QVERIFY(!label("Copyright").isEmpty());
    QVERIFY(!label("lblDisclaimer").isEmpty());
    QVERIFY(box.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isDefault());
}

void tst_About::versionTextHasNoLeadingZeros()
{
    QCOMPARE(AboutInfo::versionText(1, 7, 5), QStringLiteral("300-07415 Version 1.7.5"));
    QCOMPARE(AboutInfo::versionText(10, 0, 12), QStringLiteral("300-07415 Version 10.0.12"));
}

void tst_About::enterAndEscCloseTheBox_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void tst_About::enterAndEscCloseTheBox()
{
    QFETCH(int, key);
    TestOperator op;
    FakeKeys keys;
    frmAbout box(op, keys);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key(key));
    QVERIFY(!box.isVisible());
    QVERIFY(keys.started.isEmpty());
}

void tst_About::helpAboutAgainBringsTheSameBox()
{
    TestTerminal t;
    frmTerminal window(t.terminal);
    QAction *about = window.findChild<QAction *>(QStringLiteral("HelpAbout"));
    about->trigger();
    auto *box = window.findChild<frmAbout *>();
    QVERIFY(box && box->isVisible());
    QVERIFY(!box->isModal());
    box->close();
    about->trigger();
    about->trigger();
    QCOMPARE(window.findChildren<frmAbout *>().size(), 1);
    QVERIFY(box->isVisible());
}

void tst_About::startSysInfoFindsTheTool_data()
{
    QTest::addColumn<bool>("hasPath");
    QTest::addColumn<bool>("hasLocation");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<bool>("startWorks");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<bool>("unavailable");
    const QString tool = QStringLiteral("/opt/tools/sysinfo");
    const QString located = QStringLiteral("/opt/tools\\MSINFO32.EXE");
    QTest::newRow("PATH value") << true << true << true << true << QStringList{tool} << false;
    QTest::newRow("tool location")
        << false << true << true << true << QStringList{located} << false;
    QTest::newRow("location without the file")
        << false << true << false << true << QStringList{} << true;
    QTest::newRow("no tool") << false << false << false << true << QStringList{} << true;
    QTest::newRow("tool does not start")
        << true << false << false << false << QStringList{tool} << true;
}

void tst_About::startSysInfoFindsTheTool()
{
    QFETCH(bool, hasPath);
    QFETCH(bool, hasLocation);
    QFETCH(bool, fileExists);
    QFETCH(bool, startWorks);
    QFETCH(QStringList, started);
    QFETCH(bool, unavailable);
    FakeKeys keys;
    if (hasPath)
        keys.keys[ToolKey][QStringLiteral("PATH")] = text("/opt/tools/sysinfo\0");
    if (hasLocation)
        keys.keys[LocationKey][QStringLiteral("MSINFO")] = text("/opt/tools");
    if (fileExists)
        keys.files.append(QStringLiteral("/opt/tools\\MSINFO32.EXE"));
    keys.startWorks = startWorks;
    TestOperator op;

    // Through the About box's button, as the operator starts it.
    frmAbout box(op, keys);
    box.findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->click();

    QCOMPARE(keys.started, started);
    QCOMPARE(op.texts(), unavailable ? QStringList{Unavailable} : QStringList{});
    QCOMPARE(keys.closeCount, keys.openCount);
}

void tst_About::getKeyValueReadsOnlyStringsThatFit_data()
{
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<SystemKeys::Value>("value");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ends in NUL") << true << text(QByteArray("/usr/bin/x\0", 11)) << true
                                 << "/usr/bin/x";
    QTest::newRow("no NUL") << true << text("/usr/bin/x") << true << "/usr/bin/x";
    QTest::newRow("empty") << true << text("") << true << "";
    QTest::newRow("fills the buffer")
        << true << text(QByteArray(1024, 'a')) << true << QString(1024, QLatin1Char('a'));
    QTest::newRow("longer than the buffer") << true << text(QByteArray(1025, 'a')) << false << "";
    QTest::newRow("not a string") << true << SystemKeys::Value{4, QByteArray(4, '\1')} << false
                                  << "";
    QTest::newRow("no such value") << true << SystemKeys::Value{} << false << "";
    QTest::newRow("no such key") << false << SystemKeys::Value{} << false << "";
}

void tst_About::getKeyValueReadsOnlyStringsThatFit()
{
    QFETCH(bool, keyExists);
    QFETCH(SystemKeys::Value, value);
    QFETCH(bool, found);
    QFETCH(QString, expected);
    FakeKeys keys;
    if (keyExists) {
        keys.keys[ToolKey];
        if (value.type != 0)
            keys.keys[ToolKey][QStringLiteral("PATH")] = value;
    }
    TestOperator op;
    QString KeyVal = QStringLiteral("left over");
    QCOMPARE(SystemInfo(op, keys).GetKeyValue(SystemKeys::LocalMachine, ToolKey,
                                              QStringLiteral("PATH"), KeyVal),
             found);
    QCOMPARE(KeyVal, expected);
    QCOMPARE(keys.accesses, QList<quint32>{SystemKeys::AllAccess});
    QCOMPARE(keys.openCount, keyExists ? 1 : 0);
    QCOMPARE(keys.closeCount, keys.openCount);
}

void tst_About::pathLayerResolvesTheFirstToolOnThePath()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TestOperator op;
    PathSystemKeys none({dir.path()});
    QString KeyVal;
    QVERIFY(!SystemInfo(op, none).GetKeyValue(SystemKeys::LocalMachine, ToolKey,
                                              QStringLiteral("PATH"), KeyVal));
    // Nothing found: the message, and nothing to start.
    SystemInfo(op, none).StartSysInfo();
    QCOMPARE(op.texts(), QStringList{Unavailable});

    const QStringList names = PathSystemKeys::toolNames();
    for (const QString &name : {names.last(), names.at(1)}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    PathSystemKeys layer({dir.path()});
    QVERIFY(SystemInfo(op, layer).GetKeyValue(SystemKeys::LocalMachine, ToolKey,
                                              QStringLiteral("PATH"), KeyVal));
    QCOMPARE(KeyVal, dir.filePath(names.at(1)));
    QVERIFY(!SystemInfo(op, layer).GetKeyValue(SystemKeys::LocalMachine, LocationKey,
                                               QStringLiteral("MSINFO"), KeyVal));
}

void tst_About::helpMenuOpensDocumentsOfTheStartFolder_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("document");
    QTest::newRow("Operation") << "Operation"
                               << "CVDEMO.htm";
    QTest::newRow("CV4200 Commands") << "CVCommands"
                                     << "CVCmd.htm";
    QTest::newRow("Programmers Guide") << "PGMGuide"
                                       << "CVpgm.htm";
}

void tst_About::helpMenuOpensDocumentsOfTheStartFolder()
{
    QFETCH(QString, action);
    QFETCH(QString, document);
    QTemporaryDir startFolder;
    QVERIFY(startFolder.isValid());
    const QString programFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(startFolder.path()));
    TestTerminal t;
    frmTerminal window(t.terminal);
    window.Form_Load();
    // Moving elsewhere later, as a file dialog may, does not move the documents.
    QVERIFY(QDir::setCurrent(programFolder));
    Recorder recorder;
    t.terminal.help().setOpener(&recorder);

    window.findChild<QAction *>(action)->trigger();

    QCOMPARE(recorder.paths, QStringList{QDir(startFolder.path()).filePath(document)});
    // A start folder at the root doubles the separator; the path is passed on as it is.
    QCOMPARE(HelpDocuments::documentPath(QStringLiteral("/"), document), "//" + document);
}

void tst_About::everyHelpDocumentIsWritten()
{
    // The names the Help menu and the macro manager open, letter case included.
    Recorder recorder;
    TestTerminal t;
    t.terminal.help().setOpener(&recorder);
    t.terminal.StartDir = QStringLiteral(TEST_DATA_DIR "/../../docs");
    t.terminal.help().Operation_Click();
    t.terminal.help().CVCommands_Click();
    t.terminal.help().PGMGuide_Click();
    t.terminal.help().CVMacroHelp();
    QCOMPARE(recorder.paths.size(), 4);
    for (const QString &path : std::as_const(recorder.paths)) {
        QFile document(path);
        QVERIFY2(document.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY2(document.readAll().contains("</html>"), qPrintable(path));
    }
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
