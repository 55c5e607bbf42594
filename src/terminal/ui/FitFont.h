#pragma once

class QWidget;

// Windows are laid out in fixed design positions for a narrow system font; the platform's
// default sans-serif font is often wider. fitFont gives a window's controls the largest
// point size, from preferred down to smallest in half points, at which every caption of
// its labels, buttons, check boxes and option buttons fits inside the control.
namespace FitFont {

// Applies the size to container (and so to every control in it); returns the size used.
double fitFont(QWidget *container, double preferred = 8.0, double smallest = 6.0);

// Whether the caption of a label or button is shown whole at the control's current font
// and size; true for other widgets and for empty captions.
bool captionFits(const QWidget *control);

} // namespace FitFont
