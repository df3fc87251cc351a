#pragma once

#include <QWidget>

#include <cstdint>
#include <span>

class QCheckBox;
class QGroupBox;
class QLabel;
class TerrainPic;

// The map pane of the general page: the group box "地图" around the map picture, the two check
// boxes that switch the resource and the player marks, and the corner image that, like a click on
// the picture, switches between the compact and the large mode. The page moves and resizes the pane
// itself when told of a switch.
class MapContainer : public QWidget {
    Q_OBJECT

public:
    explicit MapContainer(QWidget* parent = nullptr);

    // Shows a chapter's map with the pane's current flags and the mark size of its mode.
    void ShowMap(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> terrain,
                 std::span<const std::uint8_t> objectMarks);

    bool IsCompact() const { return m_compact; }
    TerrainPic* Picture() const { return m_picture; }

    // Switches to the other mode, as a click on the corner image or the picture does.
    void ToggleMode();

Q_SIGNALS:
    void SwitchedToLarge();
    void SwitchedToCompact();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();
    void HandFlagsToPicture();
    void ToggleShowResources();
    void ToggleShowUnits();

    bool m_compact = true;
    bool m_showResources = true;
    bool m_showUnits = true;

    QGroupBox* m_group = nullptr;
    TerrainPic* m_picture = nullptr;
    QCheckBox* m_showResourcesBox = nullptr;
    QCheckBox* m_showUnitsBox = nullptr;
    QLabel* m_modeImage = nullptr;
};
