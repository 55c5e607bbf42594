#include "support/TestTerminal.h"
#include "terminal/SettingsStore.h"
#include "terminal/ui/Twips.h"
#include "terminal/ui/frmTerminal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Terminal"),
                     QStringLiteral("Terminal"));
}

void storeValues(const QMap<QString, QString> &values)
{
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("Settings"));
    for (auto it = values.begin(); it != values.end(); ++it)
        store.setValue(it.key(), it.value());
}

QString stored(const QString &key)
{
    QSettings store = openStore();
    return store.value(QStringLiteral("Settings/") + key).toString();
}

QStringList storedKeys()
{
    QSettings store = openStore();
    store.beginGroup(QStringLiteral("Settings"));
    return store.childKeys();
}

QStringList items(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}

// The main window on a scripted core, with its end of program recorded.
struct Window
{
    Window()
    {
        window.setEndProgram([this] { ++ended; });
    }
    template<typename W> W *find(const char *name)
    {
        return window.findChild<W *>(QLatin1String(name));
    }

    TestTerminal t;
    frmTerminal window{t.terminal};
    int ended = 0;
};

} // namespace

// Start-up and shutdown against the per-user settings store.
class tst_Settings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void firstRunShowsTheDefaults();
    void historyWithGapsClosesUpAndIsSavedWithoutRepeats_data();
    void historyWithGapsClosesUpAndIsSavedWithoutRepeats();
    void onlyTwentyOneHistoryEntriesAreSaved();
    void closingSavesEverythingUnlessMinimised_data();
    void closingSavesEverythingUnlessMinimised();
    void unreadableNumbersGiveDefaults_data();
    void unreadableNumbersGiveDefaults();
    void aPositionOffEveryScreenMovesOntoTheScreen_data();
    void aPositionOffEveryScreenMovesOntoTheScreen();

private:
    QTemporaryDir m_storeDir;
};

void tst_Settings::initTestCase()
{
    QVERIFY(m_storeDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_storeDir.path());
}

void tst_Settings::init()
{
    openStore().clear();
}

void tst_Settings::firstRunShowsTheDefaults()
{
    Window w;
    w.window.Form_Load();
    QCOMPARE(w.window.pos(), QPoint(Twips::toPixels(100), Twips::toPixels(100)));
    QCOMPARE(w.find<QLabel>("CurPort")->text(), QStringLiteral("None"));
    QVERIFY(!w.find<QPushButton>("DoBreak")->isEnabled());
    QCOMPARE(w.find<QComboBox>("SendInfo")->count(), 0);
    QCOMPARE(w.find<QComboBox>("FileNameTextBox")->count(), 0);
    QVERIFY(w.find<QRadioButton>("Option3")->isChecked());
    QVERIFY(w.find<QCheckBox>("AutoQuery")->isChecked());
    QVERIFY(w.find<QCheckBox>("Echo")->isChecked());
    QCOMPARE(w.find<QLineEdit>("PackSize")->text(), QStringLiteral("20"));
    const PortSettings &s = w.t.terminal.Settings;
    QCOMPARE(s.ModeString(), QStringLiteral("baud=19200 parity=N data=8 stop=1"));
    QCOMPARE(s.Flow, qint16(2));
    QVERIFY(!w.t.terminal.PortIdle);
    QVERIFY(!w.t.terminal.MacroMode);
    // Start-up never touches the port.
    QVERIFY(w.t.line().calls.isEmpty());
}

void tst_Settings::historyWithGapsClosesUpAndIsSavedWithoutRepeats_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("box");
    QTest::newRow("commands") << "Commands"
                              << "SendInfo";
    QTest::newRow("scripts") << "Scripts"
                             << "FileNameTextBox";
}

void tst_Settings::historyWithGapsClosesUpAndIsSavedWithoutRepeats()
{
    QFETCH(QString, prefix);
    QFETCH(QString, box);
    storeValues({{prefix + "A", "first"}, {prefix + "C", "second"}});
    {
        Window w;
        w.window.Form_Load();
        QCOMPARE(items(w.find<QComboBox>(qPrintable(box))), QStringList({"first", "second"}));
        w.window.close();
        QCOMPARE(w.ended, 1);
    }
    QCOMPARE(stored(prefix + "A"), QStringLiteral("first"));
    QCOMPARE(stored(prefix + "B"), QStringLiteral("second"));
    QVERIFY(!storedKeys().contains(prefix + "C"));
    Window again;
    again.window.Form_Load();
    QCOMPARE(items(again.find<QComboBox>(qPrintable(box))), QStringList({"first", "second"}));
}

void tst_Settings::onlyTwentyOneHistoryEntriesAreSaved()
{
    QStringList history;
    for (int i = 0; i < 25; ++i)
        history.append(QStringLiteral("entry %1").arg(i));
    {
        Window w;
        w.window.Form_Load();
        w.t.terminal.changeControls([&](TerminalControls &c) {
            c.commandHistory = history;
            c.scriptHistory = history;
        });
        QCOMPARE(w.find<QComboBox>("SendInfo")->count(), 25);
        w.window.close();
    }
    for (const QString &prefix : {QStringLiteral("Commands"), QStringLiteral("Scripts")}) {
        QCOMPARE(stored(prefix + "A"), QStringLiteral("entry 0"));
        QCOMPARE(stored(prefix + "U"), QStringLiteral("entry 20"));
        QVERIFY(!storedKeys().contains(prefix + "V"));
    }
    Window again;
    again.window.Form_Load();
    QCOMPARE(items(again.find<QComboBox>("SendInfo")), history.mid(0, 21));
    QCOMPARE(items(again.find<QComboBox>("FileNameTextBox")), history.mid(0, 21));
}

void tst_Settings::closingSavesEverythingUnlessMinimised_data()
{
    QTest::addColumn<bool>("minimised");
    QTest::newRow("normal window") << false;
    QTest::newRow("minimised window") << true;
}

void tst_Settings::closingSavesEverythingUnlessMinimised()
{
    QFETCH(bool, minimised);
    const QMap<QString, QString> before = {
        {"MainLeft", "1500"},  {"MainTop", "1500"}, {"IOPort", "COM1"},
        {"BaudRate", "19200"}, {"Parity", "N"},     {"Bits", "8"},
        {"StopBits", "1"},     {"Flow", "2"},       {"CommandsA", "old"}};
    storeValues(before);
    QTemporaryDir logDir;
    Window w;
    w.window.Form_Load();
    QCOMPARE(w.window.pos(), QPoint(100, 100));
    PortSettings &s = w.t.terminal.Settings;
    s = {QStringLiteral("ttyUSB1"), "9600", "E", "7", "2", 1};
    w.t.terminal.changeControls([](TerminalControls &c) { c.commandHistory = {"new"}; });
    w.t.terminal.preparePort();
    QVERIFY(!w.t.terminal.Log.open(logDir.filePath(QStringLiteral("run.log"))));
    w.window.move(200, 300);
    if (minimised)
        w.window.showMinimized();
    else
        w.window.show();
    QCOMPARE(w.window.isMinimized(), minimised);

    w.window.close();

    QCOMPARE(w.ended, 1);
    QCOMPARE(w.t.line().closes, 1);
    QVERIFY(!w.t.terminal.Log.isOpen());
    QMap<QString, QString> after;
    for (const QString &key : storedKeys())
        after.insert(key, stored(key));
    if (minimised) {
        QCOMPARE(after, before);
    } else {
        const QMap<QString, QString> saved = {
            {"MainLeft", "3000"}, {"MainTop", "4500"}, {"IOPort", "ttyUSB1"},
            {"BaudRate", "9600"}, {"Parity", "E"},     {"Bits", "7"},
            {"StopBits", "2"},    {"Flow", "1"},       {"CommandsA", "new"}};
        QCOMPARE(after, saved);
    }
}

void tst_Settings::unreadableNumbersGiveDefaults_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<qint16>("flowMode");
    QTest::newRow("words") << "left"
                           << "top"
                           << "none" << QPointF(100, 100) << qint16(2);
    QTest::newRow("empty") << ""
                           << " "
                           << "" << QPointF(100, 100) << qint16(2);
    QTest::newRow("out of range") << "1e30"
                                  << "-inf"
                                  << "40000" << QPointF(100, 100) << qint16(2);
    QTest::newRow("not a number") << "nan"
                                  << "1500"
                                  << "1" << QPointF(100, 1500) << qint16(1);
    QTest::newRow("fractions") << "1507.5"
                               << "-30"
                               << "0.5" << QPointF(1507.5, -30) << qint16(0);
}

void tst_Settings::unreadableNumbersGiveDefaults()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QString, flow);
    QFETCH(QPointF, position);
    QFETCH(qint16, flowMode);
    storeValues({{"MainLeft", left}, {"MainTop", top}, {"Flow", flow}});
    TestTerminal t;
    QCOMPARE(SettingsStore::load(t.terminal), position);
    QCOMPARE(t.terminal.Settings.Flow, flowMode);
}

void tst_Settings::aPositionOffEveryScreenMovesOntoTheScreen_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<bool>("kept");
    QTest::newRow("on the screen") << "3000"
                                   << "1500" << true;
    QTest::newRow("far right") << "150000"
                               << "1500" << false;
    QTest::newRow("above") << "1500"
                           << "-90000" << false;
}

void tst_Settings::aPositionOffEveryScreenMovesOntoTheScreen()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(bool, kept);
    storeValues({{"MainLeft", left}, {"MainTop", top}});
    Window w;
    w.window.Form_Load();
    const QPoint stored(Twips::toPixels(left.toDouble()), Twips::toPixels(top.toDouble()));
    QCOMPARE(w.window.pos() == stored, kept);
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(w.window.pos()));
}

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
