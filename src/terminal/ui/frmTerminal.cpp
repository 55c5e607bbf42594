#include "terminal/ui/frmTerminal.h"

#include "link/PortSettingsForm.h"
#include "link/ui/ConfigScrn.h"
#include "macros/MacroSession.h"
#include "script/ScriptRunner.h"
#include "script/ui/FrmPause.h"
#include "terminal/CommandEncoding.h"
#include "terminal/CommandSender.h"
#include "terminal/LogControl.h"
#include "terminal/ResponseReader.h"
#include "terminal/SettingsStore.h"
#include "terminal/Terminal.h"
#include "terminal/ui/FitFont.h"
#include "terminal/ui/TranscriptView.h"
#include "terminal/ui/Twips.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

template<typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

frmTerminal::frmTerminal(Terminal &terminal, QWidget *parent)
    : QMainWindow(parent)
    , m_terminal(terminal)
{
    setObjectName(QStringLiteral("frmTerminal"));
    buildControls();
    FitFont::fitFont(m_client);
    buildMenus();
    connectControls();
    // The packet-size box stands right of the design width; the window opens wide enough
    // to show it.
    resize(Twips::toPixels(8535), Twips::toPixels(DesignHeight) + menuBar()->sizeHint().height());
    showControls();
}

frmTerminal::~frmTerminal() = default;

void frmTerminal::buildControls()
{
    m_client = new QWidget(this);
    setCentralWidget(m_client);
    QWidget *c = m_client;

    Label2 = named(new QLabel(QStringLiteral("Status - "), c), "Label2");
    Twips::place(Label2, 120, 0, 732, 192);
    Label1 = named(new QLabel(c), "Label1");
    Twips::place(Label1, 840, 0, 3795, 195);
    Label6 = named(new QLabel(QStringLiteral("Port:"), c), "Label6");
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Twips::place(Label6, 4740, 0, 615, 195);
    CurPort = named(new QLabel(c), "CurPort");
    Twips::place(CurPort, 5460, 0, 1635, 195);
    Label7 = named(new QLabel(QStringLiteral("Packet Size"), c), "Label7");
    Twips::place(Label7, 7560, 120, 1035, 255);
    Label5 = named(new QLabel(QStringLiteral("Script File"), c), "Label5");
    Twips::place(Label5, 240, 240, 855, 255);

    FileNameTextBox = named(new QComboBox(c), "FileNameTextBox");
    FileNameTextBox->setEditable(true);
    FileNameTextBox->setInsertPolicy(QComboBox::NoInsert);
    Twips::place(FileNameTextBox, 1200, 240, 3975, 315);
    GetFileName = named(new QPushButton(QStringLiteral("..."), c), "GetFileName");
    Twips::place(GetFileName, 5280, 240, 375, 252);
    SendScript = named(new QPushButton(QStringLiteral("Send Script"), c), "SendScript");
    Twips::place(SendScript, 5760, 240, 1335, 252);
    PackSize = named(new QLineEdit(QStringLiteral("20"), c), "PackSize");
    PackSize->setAlignment(Qt::AlignCenter);
    Twips::place(PackSize, 7620, 420, 795, 315);

    AutoQuery = named(new QCheckBox(QStringLiteral("Auto Query"), c), "AutoQuery");
    AutoQuery->setChecked(true);
    Twips::place(AutoQuery, 60, 600, 1095, 255);
    SendCommand = named(new QPushButton(QStringLiteral("Send Command"), c), "SendCommand");
    Twips::place(SendCommand, 1200, 600, 1335, 252);
    Getresp = named(new QPushButton(QStringLiteral("Get Response"), c), "Getresp");
    Twips::place(Getresp, 2520, 600, 1455, 252);
    DoBreak = named(new QPushButton(QStringLiteral("Break"), c), "DoBreak");
    Twips::place(DoBreak, 3960, 600, 855, 255);
    LoopButton = named(new QPushButton(QStringLiteral("Loop"), c), "LoopButton");
    Twips::place(LoopButton, 4800, 600, 735, 255);
    Echo = named(new QCheckBox(QStringLiteral("Transcript"), c), "Echo");
    Echo->setChecked(true);
    Twips::place(Echo, 5760, 600, 1095, 252);

    Option1 = named(new QRadioButton(QStringLiteral("Hex"), c), "Option1");
    Twips::place(Option1, 5640, 840, 615, 195);
    Option2 = named(new QRadioButton(QStringLiteral("Dec"), c), "Option2");
    Twips::place(Option2, 6480, 840, 615, 195);
    Option3 = named(new QRadioButton(QStringLiteral("Normal"), c), "Option3");
    Twips::place(Option3, 5760, 1080, 855, 195);
    Option3->setChecked(true);
    auto *group = new QButtonGroup(this);
    group->addButton(Option1);
    group->addButton(Option2);
    group->addButton(Option3);

    Label3 = named(new QLabel(QStringLiteral("Command"), c), "Label3");
    Twips::place(Label3, 240, 960, 855, 255);
    SendInfo = named(new QComboBox(c), "SendInfo");
    SendInfo->setEditable(true);
    SendInfo->setInsertPolicy(QComboBox::NoInsert);
    Twips::place(SendInfo, 1200, 960, 4455, 315);
    Label4 = named(new QLabel(QStringLiteral("Interactive"), c), "Label4");
    Twips::place(Label4, 240, 1320, 855, 255);
    Indata = named(new QPlainTextEdit(c), "Indata");
    Indata->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Indata->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Indata->setTabChangesFocus(false);
    Indata->installEventFilter(this);
    Twips::place(Indata, 1200, 1320, 5895, 288);

    Line1 = named(new QFrame(c), "Line1");
    Line1->setFrameShape(QFrame::NoFrame);
    Line1->setAutoFillBackground(true);
    QPalette linePalette = Line1->palette();
    linePalette.setColor(QPalette::Window, QColor(128, 128, 128));
    Line1->setPalette(linePalette);
    Line1->setGeometry(0, Twips::toPixels(Line1Y), Twips::toPixels(7080), 1);

    Term = named(new TranscriptView(m_terminal.Term, c), "Term");
    // The pane can be scrolled and read but never keeps the focus: typing always goes to
    // the Interactive box.
    Term->setFocusPolicy(Qt::NoFocus);
    Term->installEventFilter(this);

    // Tab order by the design's tab indices.
    QWidget *order[] = {Getresp,  SendCommand,     Indata,  SendScript, GetFileName,
                        Echo,     SendInfo,        FileNameTextBox, Option1, Option2,
                        Option3,  AutoQuery,       PackSize, DoBreak,   LoopButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmTerminal::buildMenus()
{
    QMenu *MFile = menuBar()->addMenu(QStringLiteral("&File"));
    MFile->setObjectName(QStringLiteral("MFile"));
    MOpenLog = MFile->addAction(QStringLiteral("&Open Log File..."));
    MOpenLog->setObjectName(QStringLiteral("MOpenLog"));
    MCloseLog = MFile->addAction(QStringLiteral("&Close Log File"));
    MCloseLog->setObjectName(QStringLiteral("MCloseLog"));
    MCloseLog->setEnabled(false);
    MFile->addSeparator()->setObjectName(QStringLiteral("M3"));
    MFileExit = MFile->addAction(QStringLiteral("E&xit"));
    MFileExit->setObjectName(QStringLiteral("MFileExit"));

    QMenu *MPort = menuBar()->addMenu(QStringLiteral("&Port"));
    MPort->setObjectName(QStringLiteral("MPort"));
    MSettings = MPort->addAction(QStringLiteral("&Settings..."));
    MSettings->setObjectName(QStringLiteral("MSettings"));

    QMenu *Mac = menuBar()->addMenu(QStringLiteral("&Macros"));
    Mac->setObjectName(QStringLiteral("Mac"));
    DoMacros = Mac->addAction(QStringLiteral("Program"));
    DoMacros->setObjectName(QStringLiteral("DoMacros"));

    QMenu *HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    Operation = HelpMenu->addAction(QStringLiteral("Operation"));
    Operation->setObjectName(QStringLiteral("Operation"));
    CVCommands = HelpMenu->addAction(QStringLiteral("CV4200 Commands"));
    CVCommands->setObjectName(QStringLiteral("CVCommands"));
    PGMGuide = HelpMenu->addAction(QStringLiteral("Programmers Guide"));
    PGMGuide->setObjectName(QStringLiteral("PGMGuide"));
    HelpAbout = HelpMenu->addAction(QStringLiteral("About"));
    HelpAbout->setObjectName(QStringLiteral("HelpAbout"));
}

void frmTerminal::connectControls()
{
    Terminal &t = m_terminal;
    connect(MOpenLog, &QAction::triggered, this, [&t] { t.logControl().MOpenLog_Click(); });
    connect(MCloseLog, &QAction::triggered, this, [&t] { t.logControl().MCloseLog_Click(); });
    connect(MFileExit, &QAction::triggered, this, &frmTerminal::Form_Unload);
    connect(MSettings, &QAction::triggered, this, &frmTerminal::MSettings_Click);
    connect(DoMacros, &QAction::triggered, this, &frmTerminal::DoMacros_Click);
    connect(Operation, &QAction::triggered, this, &frmTerminal::Operation_Click);
    connect(CVCommands, &QAction::triggered, this, &frmTerminal::CVCommands_Click);
    connect(PGMGuide, &QAction::triggered, this, &frmTerminal::PGMGuide_Click);
    connect(HelpAbout, &QAction::triggered, this, &frmTerminal::HelpAbout_Click);

    connect(SendCommand, &QPushButton::clicked, this, [&t] { t.commands().SendCommand_Click(); });
    connect(Getresp, &QPushButton::clicked, this, [&t] { t.responses().Getresp_Click(); });
    connect(DoBreak, &QPushButton::clicked, this, [&t] { t.DoBreak_Click(); });
    connect(LoopButton, &QPushButton::clicked, this, [&t] { t.scripts().LoopButton_Click(); });
    connect(SendScript, &QPushButton::clicked, this, [&t] { t.scripts().SendScript_Click(); });
    connect(GetFileName, &QPushButton::clicked, this, [&t] { t.scripts().GetFileName_Click(); });

    // The operator's settings go straight into the core, which reads them when it needs
    // them (the display mode anew for every received byte).
    connect(SendInfo, &QComboBox::editTextChanged, this,
            [&t](const QString &text) { t.input().commandLine = text; });
    connect(FileNameTextBox, &QComboBox::editTextChanged, this,
            [&t](const QString &text) { t.input().fileName = text; });
    connect(PackSize, &QLineEdit::textChanged, this,
            [&t](const QString &text) { t.input().packSize = text; });
    connect(AutoQuery, &QCheckBox::toggled, this, [&t](bool on) { t.input().autoQuery = on; });
    connect(Echo, &QCheckBox::toggled, this, [&t](bool on) { t.input().echo = on; });
    const auto mode = [&t](DisplayMode m) {
        return [&t, m](bool on) {
            if (on)
                t.input().displayMode = m;
        };
    };
    connect(Option1, &QRadioButton::toggled, this, mode(DisplayMode::Hex));
    connect(Option2, &QRadioButton::toggled, this, mode(DisplayMode::Dec));
    connect(Option3, &QRadioButton::toggled, this, mode(DisplayMode::Normal));
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(Echo),
                               static_cast<QAbstractButton *>(Option1),
                               static_cast<QAbstractButton *>(Option2),
                               static_cast<QAbstractButton *>(Option3)})
        connect(b, &QAbstractButton::clicked, this, &frmTerminal::focusIndata);

    connect(&t, &Terminal::controlsChanged, this, &frmTerminal::showControls);
    connect(&t, &Terminal::transcriptAppended, Term, &TranscriptView::scheduleUpdate);
    connect(&t, &Terminal::focusInteractive, this, &frmTerminal::focusIndata);
    connect(&t, &Terminal::interactiveCleared, Indata, &QPlainTextEdit::clear);
    connect(&t, &Terminal::focusScriptFile, this,
            [this] { FileNameTextBox->setFocus(Qt::OtherFocusReason); });
    connect(&t, &Terminal::pauseShown, this, &frmTerminal::showPause);
    connect(&t, &Terminal::pauseHidden, this, [this] {
        if (m_pause)
            m_pause->hide();
    });
}

void frmTerminal::setHistory(QComboBox *box, const QStringList &entries, const QString &text)
{
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown.append(box->itemText(i));
    if (shown != entries) {
        const QSignalBlocker block(box);
        box->clear();
        box->addItems(entries);
    }
    if (box->currentText() != text)
        box->setEditText(text);
}

void frmTerminal::showControls()
{
    const TerminalControls &c = m_terminal.controls();
    setWindowTitle(c.caption);
    CurPort->setText(c.curPort);
    DoBreak->setEnabled(c.breakEnabled);
    DoBreak->setText(c.breakCaption);
    SendCommand->setEnabled(c.sendCommandEnabled);
    Getresp->setEnabled(c.getrespEnabled);
    MOpenLog->setEnabled(!c.logOpen);
    MCloseLog->setEnabled(c.logOpen);
    setHistory(SendInfo, c.commandHistory, c.commandLine);
    setHistory(FileNameTextBox, c.scriptHistory, c.fileName);
}

void frmTerminal::showPause(int secondsLeft)
{
    if (!m_pause)
        m_pause = new FrmPause(this);
    m_pause->showSecondsLeft(secondsLeft);
}

void frmTerminal::focusIndata()
{
    Indata->setFocus(Qt::OtherFocusReason);
}

void frmTerminal::Form_Load()
{
    Terminal &t = m_terminal;
    t.changeControls([](TerminalControls &c) { c.fileName.clear(); });
    t.StartDir = QDir::currentPath();
    t.CounterA = 0;
    t.CounterB = 0;
    const QPointF stored = SettingsStore::load(t);
    QPoint position(Twips::toPixels(stored.x()), Twips::toPixels(stored.y()));
    // A position that lies off every screen (a monitor since removed) is moved onto the
    // primary screen.
    if (!QGuiApplication::screenAt(position + QPoint(20, 20))) {
        if (QScreen *primary = QGuiApplication::primaryScreen())
            position = primary->availableGeometry().topLeft() + QPoint(7, 7);
    }
    move(position);
    t.DispPort();
    t.changeControls([](TerminalControls &) {});
    t.MacroMode = false;
    t.PortIdle = false;
}

void frmTerminal::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    Terminal &t = m_terminal;
    if (!isMinimized())
        SettingsStore::save(t, QPointF(Twips::fromPixels(x()), Twips::fromPixels(y())));
    t.printer().ClosePort();
    if (t.Log.isOpen())
        t.logControl().MCloseLog_Click();
    if (m_endProgram)
        m_endProgram();
}

QRect frmTerminal::termGeometryTwips(int W, int H)
{
    if (H > Line1Y)
        return QRect(0, Line1Y, W, H - Line1Y + 15);
    return QRect(0, Line1Y, W, H);
}

void frmTerminal::Form_Resize()
{
    const int W = qRound(Twips::fromPixels(m_client->width()));
    const int H = qRound(Twips::fromPixels(m_client->height()));
    Line1->setGeometry(0, Twips::toPixels(Line1Y), m_client->width(), 1);
    const QRect term = termGeometryTwips(W, H);
    Twips::place(Term, term.x(), term.y(), term.width(), term.height());
    Indata->setGeometry(Indata->x(), Indata->y(), m_client->width(), Indata->height());
}

void frmTerminal::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmTerminal::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

bool frmTerminal::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Term && event->type() == QEvent::FocusIn)
        focusIndata();
    if (watched == Indata && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        QString text = key->text();
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool lineFeed = enter && (key->modifiers() & Qt::ControlModifier);
        if (enter)
            text = lineFeed ? QStringLiteral("\n") : QStringLiteral("\r");
        for (const char byte : toLatin1Bytes(text))
            m_terminal.commands().Indata_KeyPress(static_cast<quint8>(byte));
        // Enter has just emptied the box; letting it through would leave a line break there.
        if (enter && !lineFeed)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmTerminal::MSettings_Click()
{
    PortSettingsForm::closeHeldPort(m_terminal);
    // One dialog at a time: a second click brings the open one to the front.
    if (!m_configScrn)
        m_configScrn = new ConfigScrn(m_terminal, this);
    m_configScrn->show();
    m_configScrn->raise();
    m_configScrn->activateWindow();
    m_terminal.DispPort();
}

void frmTerminal::DoMacros_Click()
{
    m_terminal.macros().DoMacros_Click();
}

void frmTerminal::Operation_Click()
{
}

void frmTerminal::CVCommands_Click()
{
}

void frmTerminal::PGMGuide_Click()
{
}

void frmTerminal::HelpAbout_Click()
{
}
