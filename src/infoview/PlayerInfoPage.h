#pragma once

#include "SlotView.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class TeamLabel;

namespace Mgx {
struct ChapterInfo;
}

// The page under "玩家信息": the eight lobby slots in two columns of four, each with the
// emblem, team label, name, civilization and kind of player, and an eye on the recorder's slot.
class PlayerInfoPage : public QWidget {
    Q_OBJECT

public:
    explicit PlayerInfoPage(QWidget* parent = nullptr);

    // Empties every position and parks the eye below the page.
    void Reset();

    // Fills the positions of the chapter's occupied slots 1 to 8. playersTop is the page's top in
    // the pane, which the eye's position is reckoned from.
    void ShowSlots(const Mgx::ChapterInfo& chapter, int playersTop);

private:
    struct SlotControls {
        QLabel* emblem = nullptr;
        TeamLabel* team = nullptr;
        QLineEdit* name = nullptr;
        QLabel* civilization = nullptr;
        QLabel* kind = nullptr;
    };

    void CreateSlot(int position);
    void ShowSlot(SlotControls& controls, const SlotView& view);
    void ClearSlot(SlotControls& controls);
    void MoveRecorderMarker(QPoint position);

    std::array<SlotControls, SlotPositionCount> m_slots;
    QLabel* m_recorderMarker = nullptr;
};
