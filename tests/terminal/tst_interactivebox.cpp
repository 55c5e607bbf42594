#include "support/TestTerminal.h"
#include "terminal/ui/frmTerminal.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The main window's command line, Interactive box and display buttons reach the core.
class tst_InteractiveBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void enterSendsCrLfAndEmptiesTheBox();
    void ctrlEnterSendsLfCr();
    void sendCommandTakesTheLineAndShowsTheHistory();
    void displayButtonsSetTheMode();
};

namespace {

struct Window
{
    Window()
        : form(t.terminal)
    {
        form.show();
    }
    TestTerminal t;
    frmTerminal form;
    template<typename W> W *child(const char *name) { return form.findChild<W *>(name); }
};

} // namespace

void tst_InteractiveBox::enterSendsCrLfAndEmptiesTheBox()
{
    Window w;
    auto *indata = w.child<QPlainTextEdit>("Indata");
    QVERIFY(indata);
    QTest::keyClicks(indata, QStringLiteral("ab"));
    QCOMPARE(indata->toPlainText(), QStringLiteral("ab"));
    QTest::keyClick(indata, Qt::Key_Return);
    QCOMPARE(w.t.line().received, QByteArray("ab\r\n"));
    QCOMPARE(w.t.transcript, QStringLiteral("ab[CR][LF]\r\n"));
    QCOMPARE(indata->toPlainText(), QString());
    QTest::keyClick(indata, Qt::Key_C);
    QCOMPARE(indata->toPlainText(), QStringLiteral("c"));
}

void tst_InteractiveBox::ctrlEnterSendsLfCr()
{
    Window w;
    auto *indata = w.child<QPlainTextEdit>("Indata");
    QTest::keyClick(indata, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(w.t.line().received, QByteArray("\n\r"));
    QCOMPARE(w.t.transcript, QStringLiteral("[LF][CR]\r\n"));
}

void tst_InteractiveBox::sendCommandTakesTheLineAndShowsTheHistory()
{
    Window w;
    w.t.terminal.input().autoQuery = false;
    auto *sendInfo = w.child<QComboBox>("SendInfo");
    QVERIFY(sendInfo);
    sendInfo->setEditText(QStringLiteral("[ESC]@"));
    w.child<QPushButton>("SendCommand")->click();
    sendInfo->setEditText(QStringLiteral("<x1D>r<1>"));
    w.child<QPushButton>("SendCommand")->click();
    QCOMPARE(w.t.line().received, QByteArray("\x1b@\x1dr\x01"));
    QCOMPARE(sendInfo->count(), 2);
    QCOMPARE(sendInfo->itemText(0), QStringLiteral("<x1D>r<1>"));
    QCOMPARE(sendInfo->itemText(1), QStringLiteral("[ESC]@"));
    QCOMPARE(sendInfo->currentText(), QStringLiteral("<x1D>r<1>"));
}

void tst_InteractiveBox::displayButtonsSetTheMode()
{
    Window w;
    w.child<QRadioButton>("Option1")->click();
    QCOMPARE(w.t.terminal.input().displayMode, DisplayMode::Hex);
    w.child<QRadioButton>("Option2")->click();
    QCOMPARE(w.t.terminal.input().displayMode, DisplayMode::Dec);
    w.child<QRadioButton>("Option3")->click();
    QCOMPARE(w.t.terminal.input().displayMode, DisplayMode::Normal);
}

QTEST_MAIN(tst_InteractiveBox)
#include "tst_interactivebox.moc"
