#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <span>
#include <vector>

namespace Mgx {
struct ChapterInfo;
}

// The map picture: the terrain as a diamond with coloured object marks over it, shown mirrored
// left to right so that tile (0, 0) is the diamond's left corner.
//
// The terrain is drawn once per map into an image; a paint only stretches that image into the
// client area and lays the marks over it, so switching marks or resizing never walks the terrain.
class TerrainPic : public QWidget {
    Q_OBJECT

public:
    explicit TerrainPic(QWidget* parent = nullptr);

    // Takes a chapter's map (mapWidth, mapHeight, terrain, objectMarks) and draws its terrain.
    // Empty terrain keeps the previous picture but drops its marks, so a damaged record leaves the
    // last good map on screen. A terrain or mark array too short for the map size counts as empty.
    void SetMap(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> terrain,
                std::span<const std::uint8_t> objectMarks);

    // No map: the picture shows only the pane's background, as before any map was set.
    void Clear();

    void SetShowResources(bool show) { m_showResources = show; }
    void SetShowUnits(bool show) { m_showUnits = show; }
    // Edge of a mark block in pixels (2 in the compact pane, 4 in the large one).
    void SetMarkSize(int size) { m_markSize = QSize(size, size); }

    bool ShowResources() const { return m_showResources; }
    bool ShowUnits() const { return m_showUnits; }
    QSize MarkSize() const { return m_markSize; }

    // The terrain image of the current map, unmirrored, black where no tile falls; null before any
    // map has been set.
    const QImage& TerrainImage() const { return m_terrain; }

    // Exactly what a paint of a client area of this size shows, mirroring included; transparent
    // where the pane's background shows through.
    QImage RenderPicture(QSize client) const;

Q_SIGNALS:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_mapWidth = 0;
    int m_mapHeight = 0;
    std::vector<std::uint8_t> m_marks; // row-major copy of objectMarks; empty when there are none
    QImage m_terrain;                  // RGB32, black background
    QImage m_terrainMasked;            // the same with black made transparent, ready to stretch
    bool m_showResources = true;
    bool m_showUnits = true;
    QSize m_markSize{3, 2}; // the pane sets the real size before the first paint
};

// The picture of a chapter's map as the large pane shows it (369 x 184, 4-pixel marks, every mark
// group on), for saving to a file. Needs no widget and no window.
QImage RenderMapImage(const Mgx::ChapterInfo& chapter);
// The same as the pane of either mode shows it (compact: 179 x 89 with 2-pixel marks), every
// mark group on.
QImage RenderMapImage(const Mgx::ChapterInfo& chapter, bool compact);
