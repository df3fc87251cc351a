#include "MapGeometry.h"

namespace MapGeometry {

namespace {

constexpr double c = Diagonal;

// static_cast drops the fraction toward zero, which is what every formula here wants.
int Trunc(double v) { return static_cast<int>(v); }

} // namespace

QSize ImageSize(int mapWidth, int mapHeight)
{
    const double W = mapWidth;
    const double H = mapHeight;
    const int width = Trunc(c * W + c * H);
    const int height = Trunc(Trunc(0.5 * (c * H)) + (c * H) * 0.5);
    return {width, height};
}

MarkScale MarkScaleFor(QSize client, QSize image)
{
    return {static_cast<float>(client.width()) / static_cast<float>(image.width()),
            static_cast<float>(client.height()) / static_cast<float>(image.height())};
}

QRect TerrainTarget(QSize client)
{
    return {0, 0, client.width() - 3, client.height() - 3};
}

PaneLayout PaneLayoutFor(bool compact)
{
    if (compact)
        return {QRect(0, 0, 185, 200), QRect(3, 22, 179, 89), QRect(7, 140, 77, 14),
                QRect(7, 160, 106, 14), QRect(170, 0, 11, 11), 2};
    return {QRect(0, 0, 375, 245), QRect(3, 15, 369, 184), QRect(15, 227, 77, 14),
            QRect(107, 227, 106, 14), QRect(360, 0, 11, 11), 4};
}

QRect PanePlacement(bool compact)
{
    return compact ? QRect(195, 3, 185, 200) : QRect(3, 3, 375, 250);
}

} // namespace MapGeometry
