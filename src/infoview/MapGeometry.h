#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where things go in the map picture and its pane. Pure arithmetic, so it is tested without a
// display. The arithmetic is fixed to the pixel: doubles, every conversion to int dropping the
// fraction toward zero. Saved map pictures and the tests that compare them depend on these exact
// pixels, so a tidier formula that rounds differently is a visible change, not a refactoring.
namespace MapGeometry {

// cos 45 degrees to 15 decimals, which is 4 units in the last place above the nearest double to
// sqrt(0.5). The pixels are computed with this value; sqrt(0.5) would move some of them on some maps.
constexpr double Diagonal = 0.707106781186548;

// Size of the terrain image for a map of mapWidth x mapHeight tiles (200 x 200 gives 282 x 140).
QSize ImageSize(int mapWidth, int mapHeight);

// The terrain image pixel of tile (x, y), before the picture is mirrored. It may lie outside the
// image: tile (0, 0) lands at column imageWidth. Inline: a repaint calls it for every marked tile.
inline QPoint TerrainPixel(int x, int y, int mapHeight, int imageWidth)
{
    const double X = x;
    const double Y = y;
    const double H = mapHeight;
    // static_cast drops the fraction toward zero, which is what the formula wants.
    const int column = imageWidth - static_cast<int>(Diagonal * Y + Diagonal * X);
    const int row = static_cast<int>(static_cast<int>(0.5 * (Diagonal * Y - Diagonal * X)) + (H * Diagonal) * 0.5);
    return {column, row};
}

// From terrain image pixels to picture pixels, computed from the whole client area, in floats.
struct MarkScale {
    float sx = 0;
    float sy = 0;
};
MarkScale MarkScaleFor(QSize client, QSize image);

// Top-left pixel of the mark block of a tile whose terrain pixel is terrainPixel, before mirroring.
inline QPoint MarkBlockTopLeft(QPoint terrainPixel, MarkScale scale)
{
    // The products stay in single precision, as the scale factors are.
    const int X = static_cast<int>(static_cast<float>(terrainPixel.x()) * scale.sx);
    const int Y = static_cast<int>(static_cast<float>(terrainPixel.y()) * scale.sy);
    return {X - 1, Y - 1};
}

// The rectangle the terrain image is stretched into: from (0, 0) to 3 pixels short of the client's
// right and bottom edges.
QRect TerrainTarget(QSize client);

// Geometry of the map pane's children, in pixels within the pane.
struct PaneLayout {
    QRect group;         // group box "地图"
    QRect picture;       // the TerrainPic
    QRect showResources; // check box "显示资源"
    QRect showUnits;     // check box "显示单位和建筑"
    QRect modeImage;     // 11 x 11 corner image that switches the mode
    int markSize = 2;    // mark block edge handed to the picture
};
PaneLayout PaneLayoutFor(bool compact);

// Where the general page puts the map pane, in pixels within the page.
QRect PanePlacement(bool compact);

} // namespace MapGeometry
