#include "DialogUnits.h"

#include <cmath>

namespace DialogUnits {

int ToPixelsX(int units) { return static_cast<int>(std::lround(units * 1.5)); }

int ToPixelsY(int units) { return static_cast<int>(std::lround(units * 1.625)); }

QPoint ToPixels(QPoint units) { return {ToPixelsX(units.x()), ToPixelsY(units.y())}; }

QSize ToPixels(QSize units) { return {ToPixelsX(units.width()), ToPixelsY(units.height())}; }

QRect ToPixels(int x, int y, int width, int height)
{
    return {ToPixels(QPoint(x, y)), ToPixels(QSize(width, height))};
}

} // namespace DialogUnits
