#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>

// Window geometry is designed in twips: 15 to a logical pixel at 96 dpi.
namespace Twips {

constexpr int perPixel = 15;

inline int toPixels(double twips)
{
    return qRound(twips / perPixel);
}

inline double fromPixels(int pixels)
{
    return double(pixels) * perPixel;
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// Places a control at a design position given as left, top, width, height in twips.
inline void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(rect(left, top, width, height));
}

// The platform's default sans-serif font at a point size.
inline QFont sansFont(double pointSize)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace Twips
