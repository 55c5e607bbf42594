#include "support/TestTerminal.h"
#include "terminal/ui/FitFont.h"
#include "terminal/ui/Twips.h"
#include "terminal/ui/frmTerminal.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The main window: layout on resize, focus rules, controls and menus.
class tst_MainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void layoutFollowsTheClientArea_data();
    void layoutFollowsTheClientArea();
    void focusReturnsToTheInteractiveBox_data();
    void focusReturnsToTheInteractiveBox();
    void controlsHaveTheirCaptionsAndPlaces_data();
    void controlsHaveTheirCaptionsAndPlaces();
    void menusHaveTheirCaptionsAndStates_data();
    void menusHaveTheirCaptionsAndStates();
    void everyCaptionFitsItsControl();

private:
    template<typename W = QWidget> W *find(const QString &name)
    {
        return m_window->findChild<W *>(name);
    }

    QTemporaryDir m_storeDir;
    std::unique_ptr<TestTerminal> m_t;
    std::unique_ptr<frmTerminal> m_window;
};

void tst_MainWindow::initTestCase()
{
    QVERIFY(m_storeDir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_storeDir.path());
}

void tst_MainWindow::init()
{
    m_t = std::make_unique<TestTerminal>();
    m_window = std::make_unique<frmTerminal>(m_t->terminal);
    m_window->setEndProgram([] {});
    m_window->Form_Load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_MainWindow::cleanup()
{
    m_window.reset();
    m_t.reset();
}

void tst_MainWindow::layoutFollowsTheClientArea_data()
{
    // Client sizes in pixels (15 twips each); the transcript pane in pixels.
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("term");
    // Height H - 1680 + 15 twips: the bottom border hangs one pixel below the client area.
    QTest::newRow("design size 7125 x 5130") << QSize(475, 342) << QRect(0, 112, 475, 231);
    QTest::newRow("larger") << QSize(800, 500) << QRect(0, 112, 800, 389);
    QTest::newRow("just below the line") << QSize(475, 113) << QRect(0, 112, 475, 2);
    // At or above the line the pane keeps its top and takes the client height.
    QTest::newRow("height 1680 twips") << QSize(475, 112) << QRect(0, 112, 475, 112);
    QTest::newRow("height 1200 twips") << QSize(475, 80) << QRect(0, 112, 475, 80);
}

void tst_MainWindow::layoutFollowsTheClientArea()
{
    QFETCH(QSize, client);
    QFETCH(QRect, term);
    QWidget *area = m_window->centralWidget();
    const QRect sendCommand = find(QStringLiteral("SendCommand"))->geometry();
    const QSize frame = m_window->size() - area->size();
    m_window->resize(client + frame);
    QTRY_COMPARE(area->size(), client);

    QCOMPARE(find(QStringLiteral("Term"))->geometry(), term);
    QCOMPARE(find(QStringLiteral("Indata"))->geometry(), QRect(80, 88, client.width(), 19));
    QCOMPARE(find(QStringLiteral("Line1"))->geometry(), QRect(0, 112, client.width(), 1));
    QCOMPARE(find(QStringLiteral("SendCommand"))->geometry(), sendCommand);
}

void tst_MainWindow::focusReturnsToTheInteractiveBox_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("displayMode");
    QTest::addColumn<bool>("echo");
    QTest::newRow("Hex") << "Option1" << int(DisplayMode::Hex) << true;
    QTest::newRow("Dec") << "Option2" << int(DisplayMode::Dec) << true;
    QTest::newRow("Normal") << "Option3" << int(DisplayMode::Normal) << true;
    QTest::newRow("Transcript") << "Echo" << int(DisplayMode::Normal) << false;
    QTest::newRow("transcript pane") << "Term" << int(DisplayMode::Normal) << true;
}

void tst_MainWindow::focusReturnsToTheInteractiveBox()
{
    QFETCH(QString, control);
    QFETCH(int, displayMode);
    QFETCH(bool, echo);
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    find(QStringLiteral("SendInfo"))->setFocus();
    QTRY_VERIFY(find(QStringLiteral("SendInfo"))->hasFocus());

    QWidget *target = find(control);
    if (auto *button = qobject_cast<QAbstractButton *>(target))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    else
        target->setFocus();

    QTRY_COMPARE(QApplication::focusWidget(), find(QStringLiteral("Indata")));
    QCOMPARE(int(m_t->terminal.controls().displayMode), displayMode);
    QCOMPARE(m_t->terminal.controls().echo, echo);
    QVERIFY(m_t->line().calls.isEmpty());
    QVERIFY(m_t->op.shown.isEmpty());
}

void tst_MainWindow::controlsHaveTheirCaptionsAndPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("Label2") << "Label2"
                            << "Status - " << QRect(120, 0, 732, 192) << true;
    QTest::newRow("Label6") << "Label6"
                            << "Port:" << QRect(4740, 0, 615, 195) << true;
    QTest::newRow("CurPort") << "CurPort"
                             << "None" << QRect(5460, 0, 1635, 195) << true;
    QTest::newRow("Label7") << "Label7"
                            << "Packet Size" << QRect(7560, 120, 1035, 255) << true;
    QTest::newRow("GetFileName") << "GetFileName"
                                 << "..." << QRect(5280, 240, 375, 252) << true;
    QTest::newRow("SendScript") << "SendScript"
                                << "Send Script" << QRect(5760, 240, 1335, 252) << true;
    QTest::newRow("PackSize") << "PackSize"
                              << "20" << QRect(7620, 420, 795, 315) << true;
    QTest::newRow("AutoQuery") << "AutoQuery"
                               << "Auto Query" << QRect(60, 600, 1095, 255) << true;
    QTest::newRow("SendCommand") << "SendCommand"
                                 << "Send Command" << QRect(1200, 600, 1335, 252) << true;
    QTest::newRow("Getresp") << "Getresp"
                             << "Get Response" << QRect(2520, 600, 1455, 252) << true;
    QTest::newRow("DoBreak") << "DoBreak"
                             << "Break" << QRect(3960, 600, 855, 255) << false;
    QTest::newRow("LoopButton") << "LoopButton"
                                << "Loop" << QRect(4800, 600, 735, 255) << true;
    QTest::newRow("Echo") << "Echo"
                          << "Transcript" << QRect(5760, 600, 1095, 252) << true;
    QTest::newRow("Option1") << "Option1"
                             << "Hex" << QRect(5640, 840, 615, 195) << true;
    QTest::newRow("Option2") << "Option2"
                             << "Dec" << QRect(6480, 840, 615, 195) << true;
    QTest::newRow("Option3") << "Option3"
                             << "Normal" << QRect(5760, 1080, 855, 195) << true;
    QTest::newRow("Label3") << "Label3"
                            << "Command" << QRect(240, 960, 855, 255) << true;
    QTest::newRow("SendInfo") << "SendInfo"
                              << "" << QRect(1200, 960, 4455, 315) << true;
    QTest::newRow("Label4") << "Label4"
                            << "Interactive" << QRect(240, 1320, 855, 255) << true;
}

void tst_MainWindow::controlsHaveTheirCaptionsAndPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, enabled);
    QWidget *control = find(name);
    QVERIFY(control);
    QString text;
    if (auto *label = qobject_cast<QLabel *>(control))
        text = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        text = button->text();
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        text = edit->text();
    else
        text = control->property("currentText").toString();
    QCOMPARE(text, caption);
    QCOMPARE(control->geometry(), Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    QCOMPARE(control->isEnabled(), enabled);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Terminal"));
}

void tst_MainWindow::menusHaveTheirCaptionsAndStates_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::newRow("File") << "&File"
                          << QStringList{"&Open Log File...", "&Close Log File", "", "E&xit"}
                          << QList<bool>{true, false, true, true};
    QTest::newRow("Port") << "&Port" << QStringList{"&Settings..."} << QList<bool>{true};
    QTest::newRow("Macros") << "&Macros" << QStringList{"Program"} << QList<bool>{true};
    QTest::newRow("Help") << "&Help"
                          << QStringList{"Operation", "CV4200 Commands", "Programmers Guide",
                                         "About"}
                          << QList<bool>{true, true, true, true};
}

void tst_MainWindow::menusHaveTheirCaptionsAndStates()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    QFETCH(QList<bool>, enabled);
    QAction *top = nullptr;
    for (QAction *a : m_window->menuBar()->actions()) {
        if (a->text() == menu)
            top = a;
    }
    QVERIFY(top && top->menu());
    const QList<QAction *> actions = top->menu()->actions();
    QStringList texts;
    QList<bool> states;
    for (const QAction *a : actions) {
        texts.append(a->isSeparator() ? QString() : a->text());
        states.append(a->isEnabled());
    }
    QCOMPARE(texts, items);
    QCOMPARE(states, enabled);
}

void tst_MainWindow::everyCaptionFitsItsControl()
{
    const auto controls = m_window->centralWidget()->findChildren<QWidget *>();
    for (const QWidget *w : controls)
        QVERIFY2(FitFont::captionFits(w), qPrintable(w->objectName()));
    // The font stays readable.
    QVERIFY(m_window->centralWidget()->font().pointSizeF() >= 6.0);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
