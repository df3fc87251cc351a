#include "MapContainer.h"

#include "KorvaleArtwork.h"
#include "MapGeometry.h"
#include "TerrainPic.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace {

// One square to enlarge, two overlapping squares to restore. Missing artwork leaves an empty
// image that still reacts to clicks.
QPixmap ModePixmap(bool compact)
{
    static const bool registered = [] {
        InitKorvaleArtwork();
        return true;
    }();
    (void)registered;
    return QPixmap(compact ? QStringLiteral(":/icons/enlarge.png") : QStringLiteral(":/icons/restore.png"));
}

} // namespace

MapContainer::MapContainer(QWidget* parent)
    : QWidget(parent)
    , m_group(new QGroupBox(QStringLiteral("地图"), this))
    , m_picture(new TerrainPic(this))
    , m_showResourcesBox(new QCheckBox(QStringLiteral("显示资源"), this))
    , m_showUnitsBox(new QCheckBox(QStringLiteral("显示单位和建筑"), this))
    , m_modeImage(new QLabel(this))
{
    m_group->setObjectName(QStringLiteral("mapGroup"));
    m_picture->setObjectName(QStringLiteral("terrainPic"));
    m_showResourcesBox->setObjectName(QStringLiteral("showResources"));
    m_showUnitsBox->setObjectName(QStringLiteral("showUnits"));
    m_modeImage->setObjectName(QStringLiteral("modeImage"));

    // The group box is created first so that everything else lies above it.
    m_showResourcesBox->setChecked(m_showResources);
    m_showUnitsBox->setChecked(m_showUnits);
    m_modeImage->setCursor(Qt::PointingHandCursor);
    m_modeImage->installEventFilter(this);

    connect(m_showResourcesBox, &QCheckBox::clicked, this, &MapContainer::ToggleShowResources);
    connect(m_showUnitsBox, &QCheckBox::clicked, this, &MapContainer::ToggleShowUnits);
    connect(m_picture, &TerrainPic::Clicked, this, &MapContainer::ToggleMode);

    resize(MapGeometry::PanePlacement(m_compact).size());
    LayOut();
}

void MapContainer::ShowMap(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> terrain,
                           std::span<const std::uint8_t> objectMarks)
{
    m_picture->SetMap(width, height, terrain, objectMarks);
    HandFlagsToPicture();
}

void MapContainer::ToggleMode()
{
    m_compact = !m_compact;
    LayOut();
    if (m_compact)
        Q_EMIT SwitchedToCompact();
    else
        Q_EMIT SwitchedToLarge();
}

bool MapContainer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_modeImage && event->type() == QEvent::MouseButtonPress) {
        ToggleMode();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MapContainer::LayOut()
{
    const MapGeometry::PaneLayout layout = MapGeometry::PaneLayoutFor(m_compact);
    m_group->setGeometry(layout.group);
    m_picture->setGeometry(layout.picture);
    m_showResourcesBox->setGeometry(layout.showResources);
    m_showUnitsBox->setGeometry(layout.showUnits);
    m_modeImage->setGeometry(layout.modeImage);
    m_modeImage->setPixmap(ModePixmap(m_compact));
    HandFlagsToPicture();
}

void MapContainer::HandFlagsToPicture()
{
    m_picture->SetShowResources(m_showResources);
    m_picture->SetShowUnits(m_showUnits);
    m_picture->SetMarkSize(MapGeometry::PaneLayoutFor(m_compact).markSize);
    m_picture->update();
}

void MapContainer::ToggleShowResources()
{
    m_showResources = !m_showResources;
    HandFlagsToPicture();
}

void MapContainer::ToggleShowUnits()
{
    m_showUnits = !m_showUnits;
    HandFlagsToPicture();
}
