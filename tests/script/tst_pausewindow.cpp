#include "script/ui/FrmPause.h"
#include "support/TestTerminal.h"
#include "terminal/ui/frmTerminal.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The script controls of the main window and the pause window they show.
class tst_PauseWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pauseShowsTheSecondsLeftThenHides();
    void anEmptyNameFocusesTheScriptFileBox();

private:
    QTemporaryDir m_dir;
};

void tst_PauseWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

void tst_PauseWindow::pauseShowsTheSecondsLeftThenHides()
{
    const QString path = m_dir.filePath(QStringLiteral("pause.dmo"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("A{PAUSE:2}B\r\n");
    file.close();

    TestTerminal t;
    frmTerminal window(t.terminal);
    window.setEndProgram([] {});
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList seen;
    t.pacer.onSleep = [&](int) {
        const FrmPause *pause = window.findChild<FrmPause *>();
        QVERIFY(pause);
        seen.append(pause->isVisible() ? pause->Time->text() : QStringLiteral("hidden"));
    };
    window.findChild<QComboBox *>(QStringLiteral("FileNameTextBox"))->setEditText(path);
    window.findChild<QPushButton *>(QStringLiteral("SendScript"))->click();

    QCOMPARE(seen, QStringList({"2", "1"}));
    const FrmPause *pause = window.findChild<FrmPause *>();
    QVERIFY(!pause->isVisible());
    QCOMPARE(pause->windowTitle(), QStringLiteral("DEZizadire Pause"));
    QCOMPARE(pause->Label1->text(), QStringLiteral("Demo Paused"));
    QCOMPARE(t.line().received, QByteArray("AB"));
    const auto history = window.findChild<QComboBox *>(QStringLiteral("FileNameTextBox"));
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->itemText(0), path);
}

void tst_PauseWindow::anEmptyNameFocusesTheScriptFileBox()
{
    TestTerminal t;
    frmTerminal window(t.terminal);
    window.setEndProgram([] {});
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.findChild<QPushButton *>(QStringLiteral("SendScript"))->click();
    QCOMPARE(t.op.texts(), QStringList{"You must select a Script File."});
    QVERIFY(window.findChild<QComboBox *>(QStringLiteral("FileNameTextBox"))->hasFocus());
}

QTEST_MAIN(tst_PauseWindow)
#include "tst_pausewindow.moc"
