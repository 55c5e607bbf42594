#include "about/ui/frmAbout.h"

#include "about/AboutInfo.h"
#include "about/SystemInfo.h"
#include "terminal/ui/FitFont.h"
#include "terminal/ui/Twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

template<typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QFrame *etchedLine(QWidget *parent, const char *name, int top, const QColor &color)
{
    auto *line = named(new QFrame(parent), name);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    line->setGeometry(0, Twips::toPixels(top), Twips::toPixels(5654), 1);
    return line;
}

} // namespace

frmAbout::frmAbout(Operator &op, SystemKeys &keys, QWidget *parent)
    : QDialog(parent)
    , m_operator(op)
    , m_keys(keys)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(Twips::toPixels(DesignWidth), Twips::toPixels(DesignHeight));
    setModal(false);
    buildControls();
    Form_Load();
    FitFont::fitFont(this);
}

void frmAbout::buildControls()
{
    picIcon = named(new QLabel(this), "picIcon");
    Twips::place(picIcon, 240, 240, 540, 540);
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    picIcon->setPixmap(icon.pixmap(Twips::toPixels(540)));

    lblTitle = named(new QLabel(this), "lblTitle");
    lblTitle->setFont(Twips::sansFont(12));
    Twips::place(lblTitle, 1050, 240, 3885, 480);
    lblVersion = named(new QLabel(this), "lblVersion");
    Twips::place(lblVersion, 1080, 780, 3885, 225);
    Copyright = named(new QLabel(this), "Copyright");
    Copyright->setWordWrap(true);
    Twips::place(Copyright, 1080, 1080, 3975, 375);
    lblDescription = named(new QLabel(this), "lblDescription");
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Twips::place(lblDescription, 1050, 1560, 3885, 810);
    lblDisclaimer = named(new QLabel(this), "lblDisclaimer");
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Twips::place(lblDisclaimer, 255, 2625, 3870, 825);

    etchedLine(this, "Line1_0", 2445, QColor(128, 128, 128));
    etchedLine(this, "Line1_1", 2460, QColor(255, 255, 255));

    cmdOK = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    Twips::place(cmdOK, 4245, 2625, 1260, 345);
    cmdOK->setDefault(true);
    cmdSysInfo = named(new QPushButton(QStringLiteral("&System Info..."), this), "cmdSysInfo");
    cmdSysInfo->setAutoDefault(false);
    Twips::place(cmdSysInfo, 4260, 3075, 1245, 345);
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    setWindowTitle(AboutInfo::caption());
    lblVersion->setText(AboutInfo::versionText());
    lblTitle->setText(AboutInfo::title());
    Copyright->setText(AboutInfo::copyright());
    lblDisclaimer->setText(AboutInfo::trademarks());
    lblDescription->setText(AboutInfo::description());
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    SystemInfo(m_operator, m_keys).StartSysInfo();
}
