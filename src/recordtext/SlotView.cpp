#include "SlotView.h"

#include "DecodeGbk.h"
#include "NameTables.h"
#include "TextCodePage.h"

namespace {

constexpr int CivilizationsPerColour = 18;

// A slot refers to a player block by number; 0 is an empty slot, and a number the
// chapter cannot hold is shown as empty rather than trusted.
bool IsPlayerNumber(std::int32_t number) { return number >= 1 && number < 9; }

SlotView ComposeSlot(const Mgx::ChapterInfo& chapter, const Mgx::PlayerSlot& slot)
{
    SlotView view;
    if (!IsPlayerNumber(slot.playerNumber))
        return view;
    const Mgx::PlayerInfo& player = chapter.players[static_cast<std::size_t>(slot.playerNumber)];
    view.occupied = true;
    view.name = DecodeRecordText(slot.name, Mgx::NameCodePage(chapter));
    view.civilization = CivilizationText(player.civilization);
    view.emblemIndex = EmblemIndex(player.colour, player.civilization);
    view.kind = player.kind;
    view.colour = player.colour;
    if (player.colour < PlayerColours.size())
        view.teamColour = PlayerColours[player.colour];
    view.teamText = TeamLabelText(slot.team);
    return view;
}

} // namespace

QString TeamLabelText(int team)
{
    if (team <= 1)
        return QStringLiteral("--");
    return QString::number(team - 1);
}

int EmblemIndex(int colour, int civilization)
{
    const bool knownColour = colour >= 0 && colour < static_cast<int>(PlayerColours.size());
    if (knownColour && civilization > CivilizationsPerColour)
        return NeutralEmblem;
    const bool known = knownColour && civilization >= 1 && civilization <= CivilizationsPerColour;
    return known ? CivilizationsPerColour * colour + civilization - 1 : -1;
}

QString CivilizationText(int civilization)
{
    // Numbers beyond the tables (mods) show as numbers; the emblems stop at 18, the names do not.
    const QString number = QStringLiteral("文明 %1").arg(civilization);
    return CivilizationNames.NameOr(civilization, civilization > CivilizationsPerColour ? number : UnknownText());
}

QPoint RecorderMarkerPosition(int slotPosition, int playersTop)
{
    return {58 + 194 * (slotPosition / 4), 330 - playersTop + 49 * (slotPosition % 4)};
}

QPoint ParkedRecorderMarkerPosition() { return {67, 285}; }

std::optional<int> RecorderSlotPosition(const Mgx::ChapterInfo& chapter)
{
    const int position = chapter.recorderNumber - 1;
    if (position < 0 || position >= SlotPositionCount)
        return std::nullopt;
    if (!IsPlayerNumber(chapter.slots[static_cast<std::size_t>(position) + 1].playerNumber))
        return std::nullopt;
    return position;
}

SlotViews ComposeSlots(const Mgx::ChapterInfo& chapter)
{
    SlotViews views;
    for (int i = 0; i < SlotPositionCount; ++i)
        views[static_cast<std::size_t>(i)] = ComposeSlot(chapter, chapter.slots[static_cast<std::size_t>(i) + 1]);
    return views;
}
