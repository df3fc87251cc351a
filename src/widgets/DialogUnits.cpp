#include "DialogUnits.h"

#include <cmath>

namespace DialogUnits {

int toPixelsX(int units) { return static_cast<int>(std::lround(units * 1.5)); }

int toPixelsY(int units) { return static_cast<int>(std::lround(units * 1.625)); }

QPoint toPixels(QPoint units) { return {toPixelsX(units.x()), toPixelsY(units.y())}; }

QSize toPixels(QSize units) { return {toPixelsX(units.width()), toPixelsY(units.height())}; }

QRect toPixels(int x, int y, int width, int height)
{
    return {toPixels(QPoint(x, y)), toPixels(QSize(width, height))};
}

} // namespace DialogUnits
