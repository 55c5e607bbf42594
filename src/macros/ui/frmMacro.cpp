#include "macros/ui/frmMacro.h"

#include "macros/MacroManager.h"
#include "terminal/ui/FitFont.h"
#include "terminal/ui/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

template<typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

frmMacro::frmMacro(MacroManager &manager, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_manager(manager)
{
    setObjectName(QStringLiteral("frmMacro"));
    setWindowTitle(QStringLiteral("Corvane Macros"));
    setFixedSize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));
    buildControls();
    FitFont::fitFont(this);
    connectControls();
    showControls();
}

void frmMacro::buildControls()
{
    Label1 = named(new QLabel(QStringLiteral("Macro Name"), this), "Label1");
    Twips::place(Label1, 240, 120, 1095, 255);
    MacroName = named(new QLineEdit(this), "MacroName");
    Twips::place(MacroName, 240, 360, 2535, 285);
    OKButton = named(new QPushButton(QStringLiteral("OK"), this), "OKButton");
    Twips::place(OKButton, 3000, 600, 1215, 375);
    Helpme = named(new QPushButton(QStringLiteral("Help"), this), "Helpme");
    Twips::place(Helpme, 3000, 120, 1215, 375);
    MacroPlay = named(new QPushButton(QStringLiteral("Play"), this), "MacroPlay");
    Twips::place(MacroPlay, 120, 840, 1095, 375);
    MacroDel = named(new QPushButton(QStringLiteral("Remove"), this), "MacroDel");
    Twips::place(MacroDel, 120, 1320, 1095, 375);
    MacroRecord = named(new QPushButton(QStringLiteral("Record"), this), "MacroRecord");
    Twips::place(MacroRecord, 120, 1800, 1095, 375);
    MacroQuery = named(new QPushButton(QStringLiteral("Query"), this), "MacroQuery");
    Twips::place(MacroQuery, 120, 2280, 1095, 375);

    Label2 = named(new QLabel(QStringLiteral("Size   Type   Name"), this), "Label2");
    Twips::place(Label2, 1560, 960, 3615, 255);
    MacroStatus = named(new QPlainTextEdit(this), "MacroStatus");
    MacroStatus->setReadOnly(true);
    MacroStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MacroStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Twips::place(MacroStatus, 1560, 1200, 2655, 2175);
    Silent = named(new QCheckBox(QStringLiteral("Silent Record"), this), "Silent");
    Twips::place(Silent, 1680, 3480, 1335, 255);
    PrtQuery = named(new QCheckBox(QStringLiteral("Print Query"), this), "PrtQuery");
    Twips::place(PrtQuery, 3120, 3480, 1335, 255);

    ExtStrFram = named(new QGroupBox(QStringLiteral("Extended Store"), this), "ExtStrFram");
    Twips::place(ExtStrFram, 0, 2760, 1335, 1095);
    Transfer = named(new QPushButton(QStringLiteral("Transfer"), ExtStrFram), "Transfer");
    Twips::place(Transfer, 120, 240, 1095, 375);
    Clearext = named(new QPushButton(QStringLiteral("Clear"), ExtStrFram), "Clearext");
    Twips::place(Clearext, 120, 660, 1095, 375);
    for (QPushButton *b : {Transfer, Clearext})
        b->setToolTip(QStringLiteral("Place the Image in the printer"));

    // Tab order by the design's tab indices.
    QWidget *order[] = {OKButton, MacroName, MacroPlay, MacroRecord, MacroQuery, MacroStatus,
                        MacroDel, Silent,    PrtQuery,  Helpme,      Clearext,   Transfer};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmMacro::connectControls()
{
    MacroManager &m = m_manager;
    connect(MacroName, &QLineEdit::textChanged, this,
            [&m](const QString &text) { m.input().macroName = text; });
    connect(Silent, &QCheckBox::toggled, this, [&m](bool on) { m.input().silent = on; });
    connect(PrtQuery, &QCheckBox::toggled, this, [&m](bool on) { m.input().prtQuery = on; });

    connect(OKButton, &QPushButton::clicked, this, [&m] { m.OKButton_Click(); });
    connect(Helpme, &QPushButton::clicked, this, [&m] { m.Helpme_Click(); });
    connect(MacroPlay, &QPushButton::clicked, this, [&m] { m.MacroPlay_Click(); });
    connect(MacroDel, &QPushButton::clicked, this, [&m] { m.MacroDel_Click(); });
    connect(MacroRecord, &QPushButton::clicked, this, [&m] { m.MacroRecord_Click(); });
    connect(MacroQuery, &QPushButton::clicked, this, [&m] { m.MacroQuery_Click(); });
    connect(Transfer, &QPushButton::clicked, this, [&m] { m.Transfer_Click(); });
    connect(Clearext, &QPushButton::clicked, this, [&m] { m.Clearext_Click(); });

    connect(&m, &MacroManager::controlsChanged, this, &frmMacro::showControls);
    connect(&m, &MacroManager::unloaded, this, &QWidget::hide);
}

void frmMacro::showControls()
{
    const MacroControls &c = m_manager.controls();
    if (MacroName->text() != c.macroName)
        MacroName->setText(c.macroName);
    Silent->setChecked(c.silent);
    PrtQuery->setChecked(c.prtQuery);
    if (MacroStatus->toPlainText() != c.macroStatus)
        MacroStatus->setPlainText(c.macroStatus);
    MacroRecord->setText(c.recordCaption);
    ExtStrFram->setEnabled(c.extStoreEnabled);
    Transfer->setEnabled(c.extStoreEnabled);
    Clearext->setEnabled(c.extStoreEnabled);
}

void frmMacro::Form_Initialize(const QWidget *mainWindow)
{
    // Aligned with the main window's left edge, and opened at its top so that it is in view.
    move(mainWindow->frameGeometry().left(), mainWindow->frameGeometry().top());
}

void frmMacro::closeEvent(QCloseEvent *event)
{
    m_manager.Form_Unload();
    event->accept();
}
