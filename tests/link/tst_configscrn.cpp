#include "link/ui/ConfigScrn.h"
#include "support/TestTerminal.h"
#include "terminal/ui/FitFont.h"
#include "terminal/ui/frmTerminal.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// The main window with its Port > Settings... item, on a scripted line.
struct Window
{
    Window()
        : window(t.terminal)
    {
        window.Form_Load();
    }

    ConfigScrn *openSettings()
    {
        window.findChild<QAction *>(QStringLiteral("MSettings"))->trigger();
        return window.findChild<ConfigScrn *>(QStringLiteral("ConfigScrn"));
    }
    QString curPort() const
    {
        return window.findChild<QLabel *>(QStringLiteral("CurPort"))->text();
    }
    bool breakEnabled() const
    {
        return window.findChild<QPushButton *>(QStringLiteral("DoBreak"))->isEnabled();
    }

    TestTerminal t;
    frmTerminal window;
};

QComboBox *avalPorts(ConfigScrn *dialog)
{
    return dialog->findChild<QComboBox *>(QStringLiteral("AvalPorts"));
}

QStringList items(QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}

// Chooses a list entry with the keyboard, as the operator can.
void chooseEntry(QComboBox *box, int index)
{
    while (box->currentIndex() < index)
        QTest::keyClick(box, Qt::Key_Down);
}

void click(ConfigScrn *dialog, const char *name)
{
    auto *button = dialog->findChild<QAbstractButton *>(QLatin1StringView(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}

// Lets the dialog's deferred deletion run.
bool deleted(const QPointer<ConfigScrn> &dialog)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return dialog.isNull();
}

} // namespace

// The Communication Settings dialog: its port list, its option buttons written straight
// into the settings, OK and Cancel, and opening it from the Port menu.
class tst_ConfigScrn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listShowsThePortsWithTabsReplaced_data();
    void listShowsThePortsWithTabsReplaced();
    void choosingAnEntryTakesItsNameAndOkTheWholeText();
    void choosingTheEmptyEntryThenOkShowsAnEmptyPort();
    void aTypedNameIsTakenByOk_data();
    void aTypedNameIsTakenByOk();
    void buttonsShowTheCurrentSettings_data();
    void buttonsShowTheCurrentSettings();
    void everyButtonWritesItsValueAtOnce();
    void cancelKeepsWhatClicksSet_data();
    void cancelKeepsWhatClicksSet();
    void tabOrderFollowsTheDesign();
    void captionsFitTheirControls();
    void openingWhileMacroModeHoldsThePortClosesIt();
    void aSecondOpeningBringsTheSameDialogForward();
};

void tst_ConfigScrn::listShowsThePortsWithTabsReplaced_data()
{
    QTest::addColumn<QStringList>("ports");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("names only") << QStringList{"COM1", "COM2"} << QStringList{"COM1", "COM2", ""};
    QTest::newRow("one tab") << QStringList{"COM1\tCommunications Port"}
                             << QStringList{"COM1    Communications Port", ""};
    QTest::newRow("two tabs") << QStringList{"ttyUSB0\tUSB Serial\tFTDI"}
                              << QStringList{"ttyUSB0    USB Serial    FTDI", ""};
    QTest::newRow("a third tab stays")
        << QStringList{"a\tb\tc\td"} << QStringList{"a    b    c\td", ""};
    QTest::newRow("no ports") << QStringList{} << QStringList{""};
}

void tst_ConfigScrn::listShowsThePortsWithTabsReplaced()
{
    QFETCH(QStringList, ports);
    QFETCH(QStringList, entries);
    Window w;
    w.t.ports.portList = ports;
    w.t.terminal.Settings.IOPort = QStringLiteral("/dev/pts/4");
    ConfigScrn *dialog = w.openSettings();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(items(avalPorts(dialog)), entries);
    QCOMPARE(avalPorts(dialog)->currentText(), QStringLiteral("/dev/pts/4"));
}

void tst_ConfigScrn::choosingAnEntryTakesItsNameAndOkTheWholeText()
{
    Window w;
    w.t.ports.portList = {QStringLiteral("COM1\tCommunications Port"),
                          QStringLiteral("COM2\tCommunications Port")};
    QPointer<ConfigScrn> dialog = w.openSettings();
    QComboBox *box = avalPorts(dialog);
    chooseEntry(box, 0);
    QCOMPARE(box->currentText(), QStringLiteral("COM1    Communications Port"));
    QCOMPARE(w.t.terminal.Settings.IOPort, QStringLiteral("COM1"));
    chooseEntry(box, 1);
    QCOMPARE(w.t.terminal.Settings.IOPort, QStringLiteral("COM2"));
    // Not shown until OK.
    QCOMPARE(w.curPort(), QStringLiteral("None"));
    click(dialog, "OKButton");
    QCOMPARE(w.t.terminal.Settings.IOPort, QStringLiteral("COM2    Communications Port"));
    QCOMPARE(w.curPort(), QStringLiteral("COM2    Communications Port 19200"));
    QVERIFY(w.breakEnabled());
    QVERIFY(deleted(dialog));
}

void tst_ConfigScrn::choosingTheEmptyEntryThenOkShowsAnEmptyPort()
{
    Window w;
    w.t.ports.portList = {QStringLiteral("COM1"), QStringLiteral("COM2")};
    w.t.terminal.Settings.IOPort = QStringLiteral("COM1");
    w.t.terminal.DispPort();
    QVERIFY(w.breakEnabled());
    ConfigScrn *dialog = w.openSettings();
    chooseEntry(avalPorts(dialog), 2);
    QCOMPARE(w.t.terminal.Settings.IOPort, QString());
    click(dialog, "OKButton");
    QCOMPARE(w.t.terminal.Settings.IOPort, QString());
    QCOMPARE(w.curPort(), QString());
    QVERIFY(!w.breakEnabled());
}

void tst_ConfigScrn::aTypedNameIsTakenByOk_data()
{
    QTest::addColumn<bool>("enterKey");
    QTest::newRow("OK button") << false;
    QTest::newRow("Enter in the box") << true;
}

void tst_ConfigScrn::aTypedNameIsTakenByOk()
{
    QFETCH(bool, enterKey);
    Window w;
    w.t.ports.portList = {QStringLiteral("COM1")};
    QPointer<ConfigScrn> dialog = w.openSettings();
    QLineEdit *edit = avalPorts(dialog)->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("COM3"));
    // Typing alone changes nothing.
    QCOMPARE(w.t.terminal.Settings.IOPort, QStringLiteral("None"));
    if (enterKey)
        QTest::keyClick(edit, Qt::Key_Return);
    else
        click(dialog, "OKButton");
    QCOMPARE(w.t.terminal.Settings.IOPort, QStringLiteral("COM3"));
    QCOMPARE(w.curPort(), QStringLiteral("COM3 19200"));
    QVERIFY(w.breakEnabled());
    QVERIFY(deleted(dialog));
}

void tst_ConfigScrn::buttonsShowTheCurrentSettings_data()
{
    QTest::addColumn<QStringList>("settings"); // rate, parity, bits, stop bits, flow
    QTest::addColumn<QStringList>("selected");
    QTest::newRow("defaults") << QStringList{"19200", "N", "8", "1", "2"}
                              << QStringList{"Baud192", "Data8", "Hardware", "NoParity", "Stop1"};
    QTest::newRow("others") << QStringList{"115200", "O", "7", "2", "1"}
                            << QStringList{"Baud24", "Data7", "OddParity", "Stop2", "XonFlow"};
    QTest::newRow("even, no flow")
        << QStringList{"4800", "E", "8", "1", "0"}
        << QStringList{"Baud48", "Data8", "EvenParity", "NoFlow", "Stop1"};
    QTest::newRow("values no button offers")
        << QStringList{"1200", "M", "5", "3", "7"} << QStringList{};
}

void tst_ConfigScrn::buttonsShowTheCurrentSettings()
{
    QFETCH(QStringList, settings);
    QFETCH(QStringList, selected);
    Window w;
    PortSettings &s = w.t.terminal.Settings;
    s.BaudRate = settings[0];
    s.Parity = settings[1];
    s.Bits = settings[2];
    s.StopBits = settings[3];
    s.Flow = settings[4].toShort();
    ConfigScrn *dialog = w.openSettings();
    QStringList checked;
    for (QRadioButton *b : dialog->findChildren<QRadioButton *>()) {
        if (b->isChecked())
            checked.append(b->objectName());
    }
    checked.sort();
    QCOMPARE(checked, selected);
    // Showing the dialog changes no value.
    QCOMPARE(s.BaudRate, settings[0]);
    QCOMPARE(s.Flow, settings[4].toShort());
}

void tst_ConfigScrn::everyButtonWritesItsValueAtOnce()
{
    Window w;
    w.t.terminal.Settings.BaudRate = QStringLiteral("1200");
    ConfigScrn *dialog = w.openSettings();
    const PortSettings &s = w.t.terminal.Settings;
    enum Field { Rate, Parity, Bits, Stop, Flow };
    const auto values = [&s] {
        return QStringList{s.BaudRate, s.Parity, s.Bits, s.StopBits, QString::number(s.Flow)};
    };
    const struct
    {
        const char *button;
        const char *caption;
        Field field;
        const char *value;
    } rows[] = {
        {"Baud48", "4800", Rate, "4800"},
        {"Baud96", "9600", Rate, "9600"},
        {"Baud192", "19200", Rate, "19200"},
        {"Baud384", "38400", Rate, "38400"},
        {"Baud576", "57600", Rate, "57600"},
        {"Baud24", "115200", Rate, "115200"},
        {"Baud230", "230400", Rate, "230400"},
        {"OddParity", "Odd", Parity, "O"},
        {"EvenParity", "Even", Parity, "E"},
        {"NoParity", "None", Parity, "N"},
        {"Data7", "7", Bits, "7"},
        {"Data8", "8", Bits, "8"},
        {"Stop2", "2", Stop, "2"},
        {"Stop1", "1", Stop, "1"},
        {"NoFlow", "None", Flow, "0"},
        {"XonFlow", "Xon/Xoff", Flow, "1"},
        {"Hardware", "Hardware", Flow, "2"},
    };
    for (const auto &row : rows) {
        auto *button = dialog->findChild<QRadioButton *>(QLatin1StringView(row.button));
        QVERIFY2(button, row.button);
        QCOMPARE(button->text(), QLatin1StringView(row.caption));
        QStringList expected = values();
        expected[row.field] = QLatin1StringView(row.value);
        click(dialog, row.button);
        QVERIFY2(button->isChecked(), row.button);
        // Only its own setting changes, at once.
        QCOMPARE(values(), expected);
    }
    QCOMPARE(dialog->findChildren<QRadioButton *>().size(), int(std::size(rows)));
}

void tst_ConfigScrn::cancelKeepsWhatClicksSet_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "Cancel";
    QTest::newRow("Escape key") << "Escape";
    QTest::newRow("close box") << "close";
}

void tst_ConfigScrn::cancelKeepsWhatClicksSet()
{
    QFETCH(QString, how);
    Window w;
    w.t.ports.portList = {QStringLiteral("COM1\tCommunications Port")};
    QPointer<ConfigScrn> dialog = w.openSettings();
    click(dialog, "EvenParity");
    chooseEntry(avalPorts(dialog), 0);
    if (how == QLatin1String("Cancel"))
        click(dialog, "CancelButton");
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(dialog, Qt::Key_Escape);
    else
        dialog->close();
    QVERIFY(deleted(dialog));
    QCOMPARE(w.t.terminal.Settings.Parity, QStringLiteral("E"));
    QCOMPARE(w.t.terminal.Settings.IOPort, QStringLiteral("COM1"));
    // Not shown again until the next DispPort.
    QCOMPARE(w.curPort(), QStringLiteral("None"));
    QVERIFY(w.t.terminal.Settings.ModeString().contains(QLatin1String("parity=E")));
}

void tst_ConfigScrn::tabOrderFollowsTheDesign()
{
    Window w;
    ConfigScrn *dialog = w.openSettings();
    const QStringList expected = {"OKButton",  "CancelButton", "Baud24",  "Baud48",    "Baud96",
                                  "Data7",     "Data8",        "Stop1",   "Stop2",     "NoParity",
                                  "OddParity", "EvenParity",   "XonFlow", "Hardware",  "NoFlow",
                                  "Baud192",   "Baud384",      "Baud576", "AvalPorts", "Baud230"};
    QStringList chain;
    QWidget *widget = dialog->findChild<QWidget *>(QStringLiteral("OKButton"));
    while (widget && chain.size() < expected.size()) {
        if (expected.contains(widget->objectName()))
            chain.append(widget->objectName());
        widget = widget->nextInFocusChain();
    }
    QCOMPARE(chain, expected);
}

void tst_ConfigScrn::captionsFitTheirControls()
{
    Window w;
    ConfigScrn *dialog = w.openSettings();
    QCOMPARE(dialog->size(), QSize(423, 210));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Communication Settings"));
    for (const QWidget *control : dialog->findChildren<QWidget *>())
        QVERIFY2(FitFont::captionFits(control), qPrintable(control->objectName()));
}

void tst_ConfigScrn::openingWhileMacroModeHoldsThePortClosesIt()
{
    Window w;
    w.t.terminal.Settings.IOPort = QStringLiteral("COM1");
    w.t.terminal.preparePort();
    w.t.terminal.PortOpen = true;
    w.t.terminal.MacroMode = true;
    QVERIFY(w.t.line().open);
    QPointer<ConfigScrn> dialog;
    w.t.op.onMessage = [&](const TestOperator::Shown &) {
        // The port is closed only after the box is dismissed, and before the dialog shows.
        QVERIFY(w.t.line().open);
        QVERIFY(!w.window.findChild<ConfigScrn *>());
    };
    dialog = w.openSettings();
    QVERIFY(dialog);
    QCOMPARE(w.t.op.texts(), QStringList{"Closing Communication Port"});
    QCOMPARE(w.t.op.shown.first().buttons, Operator::Buttons::Ok);
    QVERIFY(w.t.op.shown.first().title.isEmpty());
    QVERIFY(!w.t.line().open);
    QVERIFY(!w.t.terminal.PortOpen);
    QVERIFY(w.t.terminal.MacroMode);
    // Macro commands are dropped from now on.
    w.t.terminal.Send_Info(QByteArray("\x1b@"), 2);
    QVERIFY(w.t.line().received.isEmpty());

    // Opening it with no port held says nothing.
    click(dialog, "CancelButton");
    QVERIFY(deleted(dialog));
    QVERIFY(w.openSettings());
    QCOMPARE(w.t.op.shown.size(), 1);
}

void tst_ConfigScrn::aSecondOpeningBringsTheSameDialogForward()
{
    Window w;
    w.t.ports.portList = {QStringLiteral("COM1")};
    ConfigScrn *first = w.openSettings();
    QVERIFY(!first->isModal());
    avalPorts(first)->setEditText(QStringLiteral("typed"));
    w.t.ports.portList = {QStringLiteral("COM7")};
    ConfigScrn *second = w.openSettings();
    QCOMPARE(second, first);
    QCOMPARE(w.window.findChildren<ConfigScrn *>().size(), 1);
    // Not loaded again.
    QCOMPARE(avalPorts(second)->currentText(), QStringLiteral("typed"));
    QCOMPARE(items(avalPorts(second)), (QStringList{"COM1", ""}));
}

QTEST_MAIN(tst_ConfigScrn)
#include "tst_configscrn.moc"
