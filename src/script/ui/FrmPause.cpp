#include "script/ui/FrmPause.h"

#include "terminal/ui/Twips.h"

#include <QLabel>
#include <QLineEdit>

FrmPause::FrmPause(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmPause"));
    setWindowTitle(QStringLiteral("DEZizadire Pause"));
    setModal(false);
    setFixedSize(Twips::toPixels(3000), Twips::toPixels(1770));

    Label1 = new QLabel(QStringLiteral("Demo Paused"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(Twips::sansFont(13.5));
    Twips::place(Label1, 360, 240, 2295, 375);

    Time = new QLineEdit(QStringLiteral("0"), this);
    Time->setObjectName(QStringLiteral("Time"));
    Time->setFont(Twips::sansFont(18));
    Twips::place(Time, 480, 720, 2055, 615);
    Time->setFocus(Qt::OtherFocusReason);
}

void FrmPause::showSecondsLeft(int seconds)
{
    Time->setText(QString::number(seconds));
    if (!isVisible())
        show();
    // Focusing the box on showing selects its text; the count reads better without.
    Time->deselect();
}
