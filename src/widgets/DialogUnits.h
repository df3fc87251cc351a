#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Panel layouts are written in dialog units of the 8-point dialog font. One horizontal unit is 1.5
// pixels and one vertical unit 1.625 pixels, each value rounded on its own, so the panels keep
// their proportions whatever a value's size.
namespace DialogUnits {

int ToPixelsX(int units);
int ToPixelsY(int units);

QPoint ToPixels(QPoint units);
QSize ToPixels(QSize units);
QRect ToPixels(int x, int y, int width, int height);

} // namespace DialogUnits
