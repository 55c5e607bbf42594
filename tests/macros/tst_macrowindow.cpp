#include "macros/MacroSession.h"
#include "macros/ui/frmMacro.h"
#include "support/TestTerminal.h"
#include "terminal/ui/frmTerminal.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// The macro manager window over its core, opened from the main window's Macros menu.
class tst_MacroWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void programOpensTheWindowBesideTheMainWindow();
    void closeBoxDuringARecordingEndsMacroMode();
    void settingsDialogInMacroModeDropsLaterCommands();
    void extendedStoreFrameFollowsTheModel_data();
    void extendedStoreFrameFollowsTheModel();
};

namespace {

// A main window over a scripted printer that answers the product and directory queries.
struct Fixture
{
    explicit Fixture(const QByteArray &model = "CV4200")
    {
        product = "ID CMD:" + model + " FW1.07\r";
        t.terminal.Settings.IOPort = QStringLiteral("COM1");
        t.line().onWrite = [this](const QByteArray &bytes) {
            if (bytes == QByteArray("\x05\x15", 2))
                t.line().pending += product;
            else if (bytes == QByteArray("\x05\x17", 2))
                t.line().pending += "\r\n120   U     Demo\r\n";
        };
        window.move(200, 150);
        window.show();
    }
    void program() { window.findChild<QAction *>(QStringLiteral("DoMacros"))->trigger(); }
    frmMacro *macroWindow() { return window.findChild<frmMacro *>(); }
    template<typename W> W *control(const char *name)
    {
        return macroWindow()->findChild<W *>(QLatin1String(name));
    }

    TestTerminal t;
    frmTerminal window{t.terminal};
    QByteArray product;
};

} // namespace

void tst_MacroWindow::programOpensTheWindowBesideTheMainWindow()
{
    Fixture f;
    f.program();
    frmMacro *w = f.macroWindow();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Corvane Macros"));
    QCOMPARE(w->frameGeometry().left(), f.window.frameGeometry().left());
    QVERIFY(!f.window.findChild<QPushButton *>(QStringLiteral("Getresp"))->isEnabled());
    QCOMPARE(f.control<QLineEdit>("MacroName")->text(), QStringLiteral("Demo"));
    QVERIFY(f.control<QCheckBox>("Silent")->isChecked());
    QVERIFY(!f.control<QCheckBox>("PrtQuery")->isChecked());
    QCOMPARE(f.control<QPlainTextEdit>("MacroStatus")->toPlainText(),
             QStringLiteral("120   U     Demo\n"));

    // What the operator types is what the printer gets.
    QLineEdit *name = f.control<QLineEdit>("MacroName");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("Logo"));
    f.control<QPushButton>("MacroPlay")->click();
    QCOMPARE(f.t.line().writes.last(), QByteArray("\x1B\x1FrLogo\0", 8));

    // Macros > Program again brings the same window forward without loading it again.
    f.control<QCheckBox>("Silent")->setChecked(false);
    f.program();
    QCOMPARE(f.window.findChildren<frmMacro *>().size(), 1);
    QVERIFY(!f.control<QCheckBox>("Silent")->isChecked());
}

void tst_MacroWindow::closeBoxDuringARecordingEndsMacroMode()
{
    Fixture f;
    f.program();
    QPushButton *record = f.control<QPushButton>("MacroRecord");
    record->click();
    QCOMPARE(record->text(), QStringLiteral("End Record"));

    f.macroWindow()->close();

    QVERIFY(!f.macroWindow()->isVisible());
    QCOMPARE(record->text(), QStringLiteral("Record"));
    QVERIFY(f.t.line().writes.contains(QByteArray("\x1B\x1F"
                                                  "eDemo\0",
                                                  8)));
    QVERIFY(!f.t.terminal.MacroMode);
    QVERIFY(!f.t.line().open);
    QVERIFY(f.window.findChild<QPushButton *>(QStringLiteral("Getresp"))->isEnabled());

    // OK closes it too; the next Macros > Program loads it again.
    f.program();
    QVERIFY(f.macroWindow()->isVisible());
    QVERIFY(f.t.terminal.MacroMode);
    f.control<QPushButton>("OKButton")->click();
    QVERIFY(!f.macroWindow()->isVisible());
    QVERIFY(!f.t.terminal.MacroMode);
}

void tst_MacroWindow::settingsDialogInMacroModeDropsLaterCommands()
{
    Fixture f;
    f.program();
    f.window.findChild<QAction *>(QStringLiteral("MSettings"))->trigger();
    QCOMPARE(f.t.op.texts(), QStringList{QStringLiteral("Closing Communication Port")});
    QVERIFY(!f.t.line().open);
    QVERIFY(!f.t.terminal.PortOpen);
    QVERIFY(f.t.terminal.MacroMode);

    // The manager stays open, but its commands are no longer sent.
    const qsizetype writes = f.t.line().writes.size();
    f.control<QPushButton>("MacroPlay")->click();
    f.control<QPushButton>("MacroQuery")->click();
    QCOMPARE(f.t.line().writes.size(), writes);
    QCOMPARE(f.control<QPlainTextEdit>("MacroStatus")->toPlainText(), QString());

    // Leaving and entering macro mode again reconnects.
    f.control<QPushButton>("OKButton")->click();
    QVERIFY(!f.t.terminal.MacroMode);
    f.program();
    f.control<QPushButton>("MacroPlay")->click();
    QCOMPARE(f.t.line().writes.last(), QByteArray("\x1B\x1FrDemo\0", 8));
}

void tst_MacroWindow::extendedStoreFrameFollowsTheModel_data()
{
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("CV4700") << QByteArray("CV4700") << true;
    QTest::newRow("CV4200") << QByteArray("CV4200") << false;
    QTest::newRow("R615DX") << QByteArray("R615DX") << false;
}

void tst_MacroWindow::extendedStoreFrameFollowsTheModel()
{
    QFETCH(QByteArray, model);
    QFETCH(bool, enabled);
    Fixture f(model);
    f.program();
    QCOMPARE(f.control<QGroupBox>("ExtStrFram")->isEnabled(), enabled);
    QCOMPARE(f.control<QPushButton>("Transfer")->isEnabled(), enabled);
    QCOMPARE(f.control<QPushButton>("Clearext")->isEnabled(), enabled);
    QCOMPARE(f.control<QPushButton>("Transfer")->toolTip(),
             QStringLiteral("Place the Image in the printer"));
}

QTEST_MAIN(tst_MacroWindow)
#include "tst_macrowindow.moc"
