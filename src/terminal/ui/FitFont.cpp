#include "terminal/ui/FitFont.h"

#include "terminal/ui/Twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace FitFont {

namespace {

QString shownText(QString text)
{
    // "&" marks the access key and is not drawn; "&&" draws one "&".
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

bool allFit(const QWidget *container)
{
    const auto children = container->findChildren<QWidget *>();
    for (const QWidget *w : children) {
        if (!captionFits(w))
            return false;
    }
    return true;
}

} // namespace

bool captionFits(const QWidget *control)
{
    const QFontMetrics fm(control->font());
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const QString text = shownText(label->text());
        if (text.isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText)
            return true;
        const QRect room = label->contentsRect();
        return fm.horizontalAdvance(text) <= room.width() && fm.height() <= room.height();
    }
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    if (!button || button->text().isEmpty())
        return true;
    const int text = fm.horizontalAdvance(shownText(button->text()));
    const QStyle *style = button->style();
    int needed = text;
    if (qobject_cast<const QPushButton *>(button)) {
        // A little air between the caption and the frame on each side.
        needed += 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 2;
    } else if (qobject_cast<const QCheckBox *>(button)) {
        needed += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
                  style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    } else if (qobject_cast<const QRadioButton *>(button)) {
        needed += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                  style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    }
    return needed <= button->width() && fm.height() <= button->height();
}

double fitFont(QWidget *container, double preferred, double smallest)
{
    double size = preferred;
    for (;;) {
        container->setFont(Twips::sansFont(size));
        if (size - 0.5 < smallest || allFit(container))
            return size;
        size -= 0.5;
    }
}

} // namespace FitFont
