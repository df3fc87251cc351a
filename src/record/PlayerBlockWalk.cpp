#include "PlayerBlockWalk.h"

#include "ChapterInfo.h"
#include "MarkCode.h"
#include "MemoryStream.h"
#include "PlayerKind.h"
#include "RecordError.h"
#include "RecordLayout.h"
#include "WalkArithmetic.h"
#include "WalkState.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace Mgx {

namespace {

using namespace PlayerBlockLayout;

// Three signed count bytes, each followed by that many int32 values.
void SkipThreeCountedLists(MemoryStream& s)
{
    for (int i = 0; i < 3; ++i)
        s.Skip(Signed32(CountedValueSize * Wide(s.ReadInt8())));
}

// UserPatch 1.4 and the later HD releases count the per-player values and store every saved view.
bool CountsPlayerValues(const RecordFormat& format)
{
    return format.IsLaterUserPatch() || format.IsLateHd();
}

// The stretch between the colour and the kind.
std::int64_t BeforeKind(const RecordFormat& format)
{
    if (!format.IsHd())
        return BetweenColourAndKind;
    std::int64_t size = HdBetweenColourAndKind;
    for (const LateHdBlockLayout::KindOffset& offset : LateHdBlockLayout::BetweenColourAndKind)
        if (format.IsHdFrom(offset.from))
            size = offset.size;
    return size;
}

// UserPatch 1.4 and later count the per-player values: 198 in 1.4, as many bytes as before, more in 1.5.
void SkipResourceValues(MemoryStream& s, WalkState& state)
{
    if (!CountsPlayerValues(state.format)) {
        s.Skip(ResourceAmounts);
        return;
    }
    s.Skip(BeforeValueCount);
    state.perPlayerValueCount = s.ReadInt32();
    s.Skip(AfterValueCount);
    s.Skip(Signed32(CountedValueSize * Wide(state.perPlayerValueCount)));
    s.Skip(AfterResourceValues);
}

// Saved views: a game recorded from its start has at most one; a restored game holds each of them.
void SkipSavedViews(MemoryStream& s, const RecordFormat& format)
{
    const std::int32_t views = s.ReadInt32();
    if (views > 0)
        s.Skip(CountsPlayerValues(format) ? Signed32(SavedViewSize * Wide(views)) : ResourceExtra);
}

// The whole stretch is passed first, so that a block too short for it fails just as it always
// has; a damaged header may claim more players than the nine stances kept.
void ReadStances(MemoryStream& s, const ChapterInfo& chapter, PlayerInfo& player)
{
    const std::int64_t start = s.Position();
    s.Skip(chapter.playerCount + AfterDiplomacyStances);
    const std::int64_t end = s.Position();
    s.SeekTo(start + BeforeDiplomacyStances);
    s.Read(player.stances.data(), std::min<std::size_t>(chapter.playerCount, player.stances.size()));
    s.SeekTo(end);
}

void WalkIdentity(MemoryStream& s, ChapterInfo& chapter, PlayerInfo& player, WalkState& state)
{
    const RecordFormat& format = state.format;
    ReadStances(s, chapter, player);
    player.name = s.ReadString16();
    SkipResourceValues(s, state);
    SkipSavedViews(s, format);
    s.Skip(BeforeCivilization);
    player.civilization = s.ReadUInt8();
    s.Skip(BetweenCivilizationAndColour);
    player.colour = s.ReadUInt8();
    s.Skip(BeforeKind(format));
    player.kind = s.ReadUInt8();
    s.Skip(AfterKind);
    if (format.IsUserPatch())
        s.Skip(UserPatchAfterKind);
}

void WalkPlayerState(MemoryStream& s, const RecordFormat& format)
{
    const std::int32_t stateEntries = s.ReadInt32();
    s.Skip(Signed32(StateEntrySize * Wide(stateEntries) + StateEntriesEnd));
    s.Skip(AfterStateEntries);
    const std::int32_t stretchSelector = s.ReadInt32();
    if (format.IsLaterUserPatch())
        s.Skip(Signed32(NarrowStateStretch + StateStretchEntrySize * Wide(stretchSelector)));
    else
        s.Skip(stretchSelector != 0 ? WideStateStretch : NarrowStateStretch);
}

// Later UserPatch releases store the four counts unsigned: mods hold more than 127 entries.
void ReadListCounts(MemoryStream& s, const RecordFormat& format, int (&counts)[4])
{
    for (int& count : counts)
        count = format.IsLaterUserPatch() || format.IsLateHd() ? int{s.ReadUInt8()} : int{s.ReadInt8()};
}

void WalkPlayerLists(MemoryStream& s, const RecordFormat& format, int playerCount)
{
    s.Skip(BeforeListCounts);
    if (format.IsHdFrom(LateHdBlockLayout::BeforeListCountsFrom))
        s.Skip(LateHdBlockLayout::BeforeListCountsExtra);
    if (format.IsHdFrom(LateHdBlockLayout::PerPlayerBeforeListCountsFrom))
        s.Skip(playerCount);
    int counts[4];
    ReadListCounts(s, format, counts);
    s.Skip(AfterListCounts);
    for (int i = 0; i < counts[0]; ++i) {
        s.Skip(FirstListEntryHead);
        SkipThreeCountedLists(s);
        s.Skip(FirstListEntryTail);
    }
    for (int i = 0; i < counts[1]; ++i) {
        s.Skip(SecondListEntryHead);
        SkipThreeCountedLists(s);
        s.Skip(SecondListEntryTail);
    }
    for (int i = 0; i < counts[2]; ++i) {
        s.Skip(ThirdListEntryHead);
        if (s.ReadInt8() > 0)
            s.Skip(ThirdListEntryExtra);
        s.Skip(ThirdListEntryTail);
    }
    for (int i = 0; i < counts[3]; ++i) {
        s.Skip(FourthListEntryHead);
        SkipThreeCountedLists(s);
        s.Skip(FourthListEntryTail);
    }
    s.Skip(AfterLists);
}

// The object type table, found by its marker where the block cannot be walked with fixed amounts.
void FindObjectTypeTable(MemoryStream& s, const WalkState& state)
{
    // HD and later UserPatch tables may hold more types than The Conquerors' 866: search by the
    // count the first block had.
    std::uint8_t countMarker[sizeof ObjectTableMarker] = {ObjectTableMarker[0]};
    std::memcpy(countMarker + 1, &state.firstTypeCount, sizeof state.firstTypeCount);
    const bool byFirstCount = state.format.IsHd() || state.format.IsLaterUserPatch();
    const std::uint8_t* pattern = byFirstCount ? countMarker : ObjectTableMarker;
    const std::int64_t marker = s.FindForward(pattern, sizeof ObjectTableMarker);
    // One byte early: the bytes around the nature stretch, which follow, bring the position to the type count.
    s.SeekTo(marker - 1);
}

// A computer player's block cannot be walked with fixed amounts here: find the object table instead.
void ResyncComputerBlock(MemoryStream& s, const WalkState& state)
{
    s.Skip(ComputerBeforeValues);
    s.Skip(Signed32(CountedValueSize * Wide(s.ReadInt32())));
    s.Skip(ComputerAfterValues);
    for (int i = 0; i < 3; ++i)
        s.Skip(Unsigned32(s.ReadUInt32()));
    s.Skip(ComputerBeforeSearch);
    FindObjectTypeTable(s, state);
}

void SkipTypeEntry(MemoryStream& s, std::uint8_t recordKind, const RecordFormat& format)
{
    using namespace TypeEntryLayout;
    const bool wide = format.IsUserPatch15();
    s.Skip(wide ? WideTypeEntry::Head : Head);
    if (recordKind > ObjectKind::Decoration)
        s.Skip(AnimatedExtra);
    if (recordKind > ObjectKind::Doppelganger)
        s.Skip(MovingExtra);
    if (recordKind > ObjectKind::Moving) {
        s.Skip(BeforeLists);
        s.Skip(Signed32(ListValueSize * Wide(s.ReadInt16())));
        s.Skip(Signed32(ListValueSize * Wide(s.ReadInt16())));
        s.Skip(TypeEntryLayout::AfterLists);
        if (recordKind > ObjectKind::Projectile)
            s.Skip(LivingStretch);
        if (recordKind == ObjectKind::Projectile || recordKind == ObjectKind::Living)
            s.Skip(ProjectileOrLivingTail);
        if (recordKind == ObjectKind::Building)
            s.Skip(BuildingTail);
        if (wide && recordKind == ObjectKind::Living)
            s.Skip(WideTypeEntry::LivingExtra);
        if (wide && recordKind == ObjectKind::Building)
            s.Skip(WideTypeEntry::BuildingExtra);
    }
    s.Skip(End);
}

void WalkObjectTypeTable(MemoryStream& s, WalkState& state)
{
    const std::int32_t typeCount = s.ReadInt32();
    if (!state.firstTypeCountSeen) {
        state.firstTypeCount = typeCount;
        state.firstTypeCountSeen = true;
    }
    // Presence values beyond the end of the block read as zero and walk nothing, so only those
    // that are there are copied: the count cannot make us allocate more than the block holds.
    const std::int64_t wanted = typeCount > 0 ? std::int64_t{typeCount} : 0;
    const std::int64_t stored = std::min(wanted, (s.Remaining() + 3) / 4);
    std::vector<std::int32_t> presence(static_cast<std::size_t>(stored), 0);
    s.Read(presence.data(), static_cast<std::size_t>(std::min(wanted * 4, s.Remaining())));
    s.Skip(UnitListLayout::AfterPresence);

    for (const std::int32_t present : presence) {
        if (present == 0)
            continue;
        s.Skip(TypeEntryLayout::BeforeKind);
        const std::uint8_t recordKind = s.ReadUInt8();
        if (!IsObjectTypeTableKind(recordKind))
            return; // the rest of the table is not walked
        SkipTypeEntry(s, recordKind, state.format);
    }
}

void SkipUnitCounts(MemoryStream& s, const RecordFormat& format)
{
    using namespace UnitListLayout;
    const std::uint64_t tileSize = format.IsHd() ? HdVisibilityTileSize : VisibilityTileSize;
    const std::int64_t unitSize = format.IsHd() ? HdUnitEntrySize : UnitEntrySize;
    const std::int32_t gridRows = s.ReadInt32();
    const std::int32_t gridColumns = s.ReadInt32();
    s.Skip(BeforeGrid);
    s.Skip(Signed32(tileSize * Wide(gridRows) * Wide(gridColumns)));

    const std::int32_t unitTypes = s.ReadInt32();
    std::vector<std::int32_t> counts;
    for (int i = 0; i < unitTypes; ++i) {
        s.Skip(BeforeUnitCount); // fails at the end of the block, so the list stays within what the block holds
        counts.push_back(s.ReadInt32());
    }
    for (const std::int32_t count : counts)
        if (count > 0)
            s.Skip(unitSize * std::int64_t{count});
    s.Skip(AfterUnits);
}

void WalkObjectGroups(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    using namespace UnitListLayout;
    std::int32_t groupMark = s.ReadInt32();
    s.Skip(AfterGroupMark);
    while (groupMark != EndOfObjectGroups) {
        for (std::uint8_t recordKind = s.ReadUInt8(); recordKind != 0; recordKind = s.ReadUInt8())
            WalkObjectRecord(s, chapter, recordKind, format);
        s.Skip(AfterGroup);
        groupMark = s.ReadInt32();
        s.Skip(AfterGroupMark);
    }
    for (std::uint8_t trailing = s.ReadUInt8(); trailing != 0; trailing = s.ReadUInt8())
        s.Skip(TrailingEntrySize);
    s.Skip(BlockEnd);
}

std::uint32_t TileIndex(float coordinate, std::uint32_t limit)
{
    // Outside the map (or not a number at all) counts as the last row or column.
    const double distance = std::fabs(static_cast<double>(coordinate));
    return distance < limit ? static_cast<std::uint32_t>(distance) : limit - 1;
}

void WriteMark(ChapterInfo& chapter, float x, float y, std::uint8_t mark)
{
    if (mark == MarkCode::None || chapter.mapWidth == 0 || chapter.mapHeight == 0)
        return;
    const std::uint64_t column = TileIndex(x, chapter.mapWidth);
    const std::uint64_t row = TileIndex(y, chapter.mapHeight);
    chapter.objectMarks[static_cast<std::size_t>(row * chapter.mapWidth + column)] = mark;
}

// The parts of an object record after its placement, in file order. Each kind of object ends its
// record after its own part: see ObjectRecordLayout.

// The sprite state: a byte that selects the stretch after it. Returns the byte.
std::int8_t SkipSpriteState(MemoryStream& s, std::uint8_t recordKind)
{
    using namespace ObjectRecordLayout;
    const std::int8_t spriteState = s.ReadInt8();
    switch (spriteState) {
    case 0: s.Skip(SpriteStateNone); break;
    case 1: s.Skip(SpriteStateOne); break;
    case 2:
        s.Skip(SpriteStateTwo);
        s.Skip(recordKind == ObjectKind::Animated ? SpriteStateTwoAnimated : SpriteStateTwoOther);
        break;
    default: break;
    }
    return spriteState;
}

// The end of a sprite list that has an entry.
void SkipSpriteListEnd(MemoryStream& s)
{
    using namespace ObjectRecordLayout;
    s.Skip(BeforeSpriteEnd);
    switch (s.ReadInt16()) {
    case 0: s.Skip(SpriteEndNone); break;
    case SpriteEndOneKey: s.Skip(SpriteEndOne); break;
    case SpriteEndTwoKey: s.Skip(SpriteEndTwo); break;
    default: break;
    }
}

void SkipPath(MemoryStream& s, const RecordFormat& format)
{
    using namespace ObjectRecordLayout;
    s.Skip(BeforeWaypoints);
    const std::int32_t waypoints = s.ReadInt32();
    s.Skip(AfterWaypointCount);
    if (waypoints != 0)
        s.Skip(Signed32((format.hdLater ? HdLaterWaypointSize : WaypointSize) * Wide(waypoints) + WaypointTrailer));
    s.Skip(AfterPath);
}

bool CarriesTypeExtra(std::int16_t objectTypeId)
{
    for (const std::int16_t type : ObjectRecordLayout::TypesWithExtra)
        if (type == objectTypeId)
            return true;
    return false;
}

void SkipCombat(MemoryStream& s, std::int16_t objectTypeId, const RecordFormat& format)
{
    using namespace ObjectRecordLayout;
    s.Skip(format.hdLater ? HdLaterBeforeCombatFlag : format.IsHd() ? HdBeforeCombatFlag : BeforeCombatFlag);
    if (s.ReadInt16() != 0) {
        s.Skip(format.IsUserPatch() ? UserPatchFirstActionState : FirstActionState);
        if (s.ReadInt16() != 0)
            s.Skip(format.IsUserPatch() ? UserPatchSecondActionState : SecondActionState);
        s.Skip(AfterActionStates);
        if (CarriesTypeExtra(objectTypeId))
            s.Skip(TypeExtra);
    }
    s.Skip(AfterCombat);
    s.Skip(s.ReadUInt8() != 0 ? CombatTailSet : CombatTailClear);
}

void SkipCurrentAction(MemoryStream& s)
{
    using namespace ObjectRecordLayout;
    if (s.ReadUInt8() == 0) {
        s.Skip(NoAction);
    } else {
        const std::uint8_t actionKind = s.ReadUInt8();
        const std::int8_t actionLength = s.ReadInt8();
        s.Skip(ActionHead);
        const std::int8_t actionTailKind = s.ReadInt8();
        s.Skip(AfterActionTailKind);
        if (actionKind == ObjectKind::Living)
            s.Skip(LivingActionExtra);
        if (actionKind == ObjectKind::Building)
            s.Skip(BuildingActionExtra);
        s.Skip(actionLength + ActionBody);
        s.Skip(Signed32(ActionValueSize * Wide(s.ReadInt16())));
        s.Skip(Signed32(ActionValueSize * Wide(s.ReadInt16())));
        s.Skip(AfterActionValues);
        if (actionTailKind == LongActionTail)
            s.Skip(LongActionTailSize);
        if (actionTailKind == ShortActionTail)
            s.Skip(ShortActionTailSize);
    }
    s.Skip(AfterAction);
}

void SkipUnitAi(MemoryStream& s, const RecordFormat& format)
{
    using namespace ObjectRecordLayout;
    if (s.ReadInt32() == 0) {
        s.Skip(NoUnitAi);
    } else {
        s.Skip(UnitAiHead);
        if (s.ReadInt32() != 0)
            s.Skip(UnitAiExtra);
        s.Skip(format.IsHd() ? HdUnitAiTail : UnitAiTail);
    }
    s.Skip(AfterUnitAi);
}

// An animated object's record ends after its sprite state; a moving object's after its path.
void SkipMovingPart(MemoryStream& s, std::uint8_t recordKind, std::int8_t spriteState, bool emptySpriteList,
                    const RecordFormat& format)
{
    // Later UserPatch releases write nothing after an empty sprite list; HD from 12.50 marks one in the placement.
    const bool ended = format.IsLaterUserPatch() ? spriteState == 0 : emptySpriteList && spriteState == 0;
    if (!ended)
        SkipSpriteListEnd(s);
    SkipPath(s, format);
    if (recordKind == ObjectKind::Moving && format.hdLater)
        s.Skip(ObjectRecordLayout::HdLaterMovingEnd);
}

// Every other kind: combat, the current action, the unit AI, and (but for living objects) a closing stretch.
void SkipActingPart(MemoryStream& s, std::uint8_t recordKind, std::int16_t objectTypeId, const RecordFormat& format)
{
    SkipCombat(s, objectTypeId, format);
    SkipCurrentAction(s);
    SkipUnitAi(s, format);
    if (recordKind != ObjectKind::Living)
        s.Skip(format.hdLater ? ObjectRecordLayout::HdLaterClosing : ObjectRecordLayout::Closing);
}

// The rest of the placement. Returns whether its last byte marks an empty sprite list (HD from 12.50).
bool SkipPlacementTail(MemoryStream& s, const RecordFormat& format)
{
    using namespace LateHdBlockLayout;
    if (format.IsHdFrom(EmptySpriteListFrom)) {
        s.Skip(LongerAfterResourceKind - 1);
        return s.ReadUInt8() == EmptySpriteListMark;
    }
    if (format.IsHdFrom(LongerPlacementFrom))
        s.Skip(LongerAfterResourceKind);
    else
        s.Skip(format.IsHd() ? ObjectRecordLayout::HdAfterResourceKind : ObjectRecordLayout::AfterResourceKind);
    return false;
}

// The record after its placement, for every kind but the decoration.
void SkipObjectState(MemoryStream& s, std::uint8_t recordKind, std::int16_t objectTypeId, bool emptySpriteList,
                     const RecordFormat& format)
{
    const std::int8_t spriteState = SkipSpriteState(s, recordKind);
    if (recordKind == ObjectKind::Animated)
        return;
    SkipMovingPart(s, recordKind, spriteState, emptySpriteList, format);
    if (recordKind == ObjectKind::Moving)
        return;
    SkipActingPart(s, recordKind, objectTypeId, format);
}

// Finds the start of the next player block of a restored game by the bytes that end its name: the
// name's NUL, the byte 0x16, the int32 value count and the byte 0x21. The name's length field is
// the one that counts back to that NUL.
void FindNextRestoredBlock(MemoryStream& s, const ChapterInfo& chapter, const WalkState& state)
{
    std::uint8_t nameEnd[7] = {0, NameEndByte};
    std::memcpy(nameEnd + 2, &state.perPlayerValueCount, sizeof state.perPlayerValueCount);
    nameEnd[6] = AfterValueCountByte;
    const std::int64_t match = s.FindPattern(nameEnd, sizeof nameEnd, "the name of the next player block");
    for (int length = 1; length <= LongestRestoredName; ++length) {
        const std::int64_t lengthField = match - 1 - length;
        if (lengthField < 0)
            break;
        s.SeekTo(lengthField);
        if (s.ReadUInt16() == length) {
            s.SeekTo(lengthField - (chapter.playerCount + AfterDiplomacyStances));
            return;
        }
    }
    throw HeaderError("the name of the next player block has no length", match);
}

} // namespace

std::uint8_t ObjectMark(const ChapterInfo& chapter, std::uint8_t owner, std::int16_t objectTypeId, std::int16_t resourceKind)
{
    if (owner != 0) {
        // An owner without a player block, or a colour beyond the eight, would otherwise be drawn as a resource.
        if (owner >= chapter.players.size())
            return MarkCode::None;
        const std::uint8_t colour = chapter.players[owner].colour;
        return colour <= MarkCode::LastPlayer - MarkCode::FirstPlayer ? static_cast<std::uint8_t>(colour + 1) : MarkCode::None;
    }
    switch (resourceKind) {
    case 0: return objectTypeId == 96 ? MarkCode::None : MarkCode::Food;
    case 2: return MarkCode::Stone;
    case 3: return MarkCode::Gold;
    default:
        if (objectTypeId == 285)
            return MarkCode::Relic;
        if (objectTypeId == 264)
            return MarkCode::Cliff;
        return MarkCode::None;
    }
}

void WalkObjectRecord(MemoryStream& s, ChapterInfo& chapter, std::uint8_t recordKind)
{
    WalkObjectRecord(s, chapter, recordKind, RecordFormat{});
}

void WalkObjectRecord(MemoryStream& s, ChapterInfo& chapter, std::uint8_t recordKind, const RecordFormat& format)
{
    const std::uint8_t owner = s.ReadUInt8();
    const std::int16_t objectTypeId = s.ReadInt16();
    s.Skip(ObjectRecordLayout::BeforePosition);
    const float x = s.ReadFloat32();
    const float y = s.ReadFloat32();
    s.Skip(ObjectRecordLayout::BeforeResourceKind);
    const std::int16_t resourceKind = s.ReadInt16();
    const bool emptySpriteList = SkipPlacementTail(s, format);
    WriteMark(chapter, x, y, ObjectMark(chapter, owner, objectTypeId, resourceKind));
    if (recordKind != ObjectKind::Decoration)
        SkipObjectState(s, recordKind, objectTypeId, emptySpriteList, format);
}

void WalkPlayerBlock(MemoryStream& s, ChapterInfo& chapter, int playerIndex)
{
    WalkState state;
    WalkPlayerBlock(s, chapter, playerIndex, state);
}

void WalkPlayerBlock(MemoryStream& s, ChapterInfo& chapter, int playerIndex, WalkState& state)
{
    const RecordFormat& format = state.format;
    // A damaged header may claim more players than the game has; their blocks are walked but not kept.
    PlayerInfo beyondTheNine;
    PlayerInfo& player = static_cast<std::size_t>(playerIndex) < chapter.players.size()
                              ? chapter.players[static_cast<std::size_t>(playerIndex)]
                              : beyondTheNine;
    WalkIdentity(s, chapter, player, state);
    WalkPlayerState(s, format);
    if (state.restoredGame && player.kind != PlayerKind::Nature) {
        // A restored game's player state holds its running game: only the table's marker finds the way on.
        FindObjectTypeTable(s, state);
    } else {
        WalkPlayerLists(s, format, chapter.playerCount);
        if (player.kind == PlayerKind::Computer) {
            // The later HD releases hold the AI's state here too: searched for from right after the lists.
            if (format.IsHdFrom(LateHdBlockLayout::ComputerSearchAfterListsFrom))
                FindObjectTypeTable(s, state);
            else
                ResyncComputerBlock(s, state);
        }
    }
    s.Skip(BeforeNatureStretch);
    if (player.kind == PlayerKind::Nature)
        s.Skip(NatureStretch);
    s.Skip(AfterNatureStretch);
    WalkObjectTypeTable(s, state);
    s.Skip(UnitListLayout::AfterTable);
    SkipUnitCounts(s, format);
    if (state.restoredGame) {
        // Its objects carry mid-game state: they are passed, not walked, and leave no marks.
        if (playerIndex + 1 < chapter.playerCount)
            FindNextRestoredBlock(s, chapter, state);
        return;
    }
    WalkObjectGroups(s, chapter, format);
}

} // namespace Mgx

