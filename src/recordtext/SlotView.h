#pragma once

#include "ChapterInfo.h"

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// What one of the eight lobby positions of the player page shows.
struct SlotView {
    // Team label colour of an empty position, and of a player colour no table has.
    static constexpr std::uint32_t ResetTeamColour = 0xffc0c0c0;

    bool occupied = false;
    QString name;
    QString civilization;
    int emblemIndex = -1; // -1: no emblem; NeutralEmblem: a civilisation only a modded game has
    int kind = 0;         // 1 human, 2 nature, 3 computer; others show no picture
    int colour = -1;      // player colour index, -1 for an empty position
    std::uint32_t teamColour = ResetTeamColour;
    QString teamText = QStringLiteral("--");
};

inline constexpr int SlotPositionCount = 8;
using SlotViews = std::array<SlotView, SlotPositionCount>;

// "--" for no team (0 or 1), else the team number team - 1.
QString TeamLabelText(int team);

// The emblem of a civilisation above the game's 18, which mods add: no civilisation's own.
inline constexpr int NeutralEmblem = -2;

// Index into the 144 emblems: 18 per colour, civilizations 1 to 18. -1 when there is no such emblem,
// NeutralEmblem for a civilisation above 18 in a known colour.
int EmblemIndex(int colour, int civilization);

// The civilisation's name; a mod's civilisation, which no table names, by its number.
QString CivilizationText(int civilization);

// Where the recorder's eye goes for slot position 0 to 7, given the player page's top in the pane:
// just right of the emblem, two columns of four.
QPoint RecorderMarkerPosition(int slotPosition, int playersTop);

// Where the eye waits when no shown slot recorded the game: below the visible part of the page.
QPoint ParkedRecorderMarkerPosition();

// The slot position (0 to 7) of the player who recorded the game, when that slot is occupied.
std::optional<int> RecorderSlotPosition(const Mgx::ChapterInfo& chapter);

// Slot position i shows the chapter's slots[i + 1].
SlotViews ComposeSlots(const Mgx::ChapterInfo& chapter);
