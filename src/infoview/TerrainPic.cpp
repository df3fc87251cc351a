#include "TerrainPic.h"

#include "ChapterInfo.h"
#include "MapColours.h"
#include "MapGeometry.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

namespace {

// The game's largest map is 255 tiles a side; anything far beyond that comes from a damaged header
// and would only ask for an absurd image.
constexpr std::uint32_t MaxMapSide = 1024;

constexpr QRgb Black = qRgb(0, 0, 0);

std::size_t TileCount(std::uint32_t width, std::uint32_t height)
{
    return std::size_t{width} * height;
}

bool IsDrawable(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> terrain)
{
    return width > 0 && height > 0 && width <= MaxMapSide && height <= MaxMapSide &&
           terrain.size() >= 2 * TileCount(width, height);
}

// Direct access to the rows of a 32-bit image; QImage::scanLine() checks for sharing on every call.
struct Pixels {
    explicit Pixels(QImage& image)
        : bits(reinterpret_cast<QRgb*>(image.bits()))
        , stride(image.bytesPerLine() / int(sizeof(QRgb)))
        , bounds(image.rect())
    {
    }
    QRgb* Row(int y) const { return bits + std::ptrdiff_t(y) * stride; }
    bool Contains(QPoint p) const
    {
        return p.x() >= 0 && p.y() >= 0 && p.x() < bounds.width() && p.y() < bounds.height();
    }

    QRgb* bits;
    int stride;
    QRect bounds;
};

// One pixel per tile, coloured by the tile's first byte; later tiles overwrite earlier ones.
QImage DrawTerrain(int width, int height, std::span<const std::uint8_t> terrain)
{
    const QSize size = MapGeometry::ImageSize(width, height);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Black);
    const Pixels pixels(image);
    const std::uint8_t* tile = terrain.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, tile += 2) {
            const QPoint p = MapGeometry::TerrainPixel(x, y, height, size.width());
            if (pixels.Contains(p))
                pixels.Row(p.y())[p.x()] = MapColours::TerrainColour(*tile);
        }
    }
    return image;
}

// Black is the background of the terrain image and must let the pane show through.
QImage MaskBlack(const QImage& terrain)
{
    QImage masked = terrain.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        std::replace(line, line + masked.width(), Black, QRgb{0});
    }
    return masked;
}

struct MarkLayer {
    std::span<const std::uint8_t> marks; // empty: no marks
    int mapWidth = 0;
    int mapHeight = 0;
    bool showResources = true;
    bool showUnits = true;
    QSize markSize;
};

// Nearest neighbour, each target pixel taking the source pixel its top-left corner falls on, as a
// plain stretching blit does. Transparent source pixels are copied as they are: the target starts
// out transparent.
void StretchTerrain(const Pixels& picture, const QImage& terrain, const QRect& target)
{
    std::vector<int> sourceColumn(std::size_t(target.width()));
    for (int x = 0; x < target.width(); ++x)
        sourceColumn[x] = int(std::int64_t(x) * terrain.width() / target.width());
    for (int y = 0; y < target.height(); ++y) {
        const int sourceRow = int(std::int64_t(y) * terrain.height() / target.height());
        const auto* source = reinterpret_cast<const QRgb*>(terrain.constScanLine(sourceRow));
        QRgb* line = picture.Row(target.top() + y) + target.left();
        for (int x = 0; x < target.width(); ++x)
            line[x] = source[sourceColumn[x]];
    }
}

// Blocks at the picture's edges are cut off, as drawing outside a surface is.
void FillBlock(const Pixels& picture, QPoint topLeft, QSize size, QRgb colour)
{
    const int left = std::max(topLeft.x(), 0);
    const int right = std::min(topLeft.x() + size.width(), picture.bounds.width());
    const int top = std::max(topLeft.y(), 0);
    const int bottom = std::min(topLeft.y() + size.height(), picture.bounds.height());
    for (int y = top; y < bottom; ++y)
        for (QRgb* pixel = picture.Row(y) + left; pixel < picture.Row(y) + right; ++pixel)
            *pixel = colour;
}

void PaintMarks(const Pixels& picture, const MarkLayer& layer, QSize imageSize)
{
    std::array<bool, 256> drawn{};
    std::array<QRgb, 256> colour{};
    for (int k = 0; k < 256; ++k) {
        drawn[k] = MapColours::IsMarkDrawn(std::uint8_t(k), layer.showResources, layer.showUnits);
        colour[k] = MapColours::MarkColour(std::uint8_t(k));
    }
    const MapGeometry::MarkScale scale = MapGeometry::MarkScaleFor(picture.bounds.size(), imageSize);
    const std::uint8_t* mark = layer.marks.data();
    for (int y = 0; y < layer.mapHeight; ++y) {
        for (int x = 0; x < layer.mapWidth; ++x, ++mark) {
            if (!drawn[*mark])
                continue;
            const QPoint pixel = MapGeometry::TerrainPixel(x, y, layer.mapHeight, imageSize.width());
            FillBlock(picture, MapGeometry::MarkBlockTopLeft(pixel, scale), layer.markSize, colour[*mark]);
        }
    }
}

void MirrorLeftRight(const Pixels& picture)
{
    for (int y = 0; y < picture.bounds.height(); ++y)
        std::reverse(picture.Row(y), picture.Row(y) + picture.bounds.width());
}

// A map ready to show: its terrain drawn once, and a copy of the marks that go over it.
struct DrawnMap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> marks; // row-major; empty when the record has none for this map size
    QImage terrain;                  // RGB32, black background
    QImage terrainMasked;            // the same with black made transparent, ready to stretch
};

// Nothing for a map that cannot be drawn. A mark array too short for the map size counts as none.
std::optional<DrawnMap> DrawMap(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> terrain,
                                std::span<const std::uint8_t> objectMarks)
{
    if (!IsDrawable(width, height, terrain))
        return std::nullopt;
    DrawnMap map{int(width), int(height), {}, DrawTerrain(int(width), int(height), terrain), {}};
    const std::size_t tiles = TileCount(width, height);
    if (objectMarks.size() >= tiles)
        map.marks.assign(objectMarks.begin(), objectMarks.begin() + std::ptrdiff_t(tiles));
    map.terrainMasked = MaskBlack(map.terrain);
    return map;
}

// Everything is drawn unmirrored, as the formulas are written, and flipped as the last step: the
// picture on screen is the exact mirror image of that drawing.
QImage Compose(const QImage& maskedTerrain, const MarkLayer& layer, QSize client)
{
    QImage picture(client, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::transparent);
    if (maskedTerrain.isNull())
        return picture;
    const Pixels pixels(picture);
    const QRect target = MapGeometry::TerrainTarget(client);
    if (target.isValid())
        StretchTerrain(pixels, maskedTerrain, target);
    if (!layer.marks.empty())
        PaintMarks(pixels, layer, maskedTerrain.size());
    MirrorLeftRight(pixels);
    return picture;
}

} // namespace

TerrainPic::TerrainPic(QWidget* parent)
    : QWidget(parent)
{
}

void TerrainPic::SetMap(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> terrain,
                        std::span<const std::uint8_t> objectMarks)
{
    m_marks.clear();
    std::optional<DrawnMap> map = DrawMap(width, height, terrain, objectMarks);
    if (!map)
        return;
    m_mapWidth = map->width;
    m_mapHeight = map->height;
    m_marks = std::move(map->marks);
    m_terrain = std::move(map->terrain);
    m_terrainMasked = std::move(map->terrainMasked);
}

void TerrainPic::Clear()
{
    m_marks.clear();
    m_mapWidth = 0;
    m_mapHeight = 0;
    m_terrain = QImage();
    m_terrainMasked = QImage();
    update();
}

QImage TerrainPic::RenderPicture(QSize client) const
{
    const MarkLayer layer{m_marks, m_mapWidth, m_mapHeight, m_showResources, m_showUnits, m_markSize};
    return Compose(m_terrainMasked, layer, client);
}

void TerrainPic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, RenderPicture(size()));
}

void TerrainPic::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT Clicked();
}

QImage RenderMapImage(const Mgx::ChapterInfo& chapter)
{
    return RenderMapImage(chapter, false);
}

QImage RenderMapImage(const Mgx::ChapterInfo& chapter, bool compact)
{
    const MapGeometry::PaneLayout pane = MapGeometry::PaneLayoutFor(compact);
    const QSize client = pane.picture.size();
    const std::optional<DrawnMap> map = DrawMap(chapter.mapWidth, chapter.mapHeight, chapter.terrain, chapter.objectMarks);
    if (!map)
        return Compose(QImage(), MarkLayer{}, client);
    const MarkLayer layer{map->marks, map->width, map->height, true, true, QSize(pane.markSize, pane.markSize)};
    return Compose(map->terrainMasked, layer, client);
}
