#include "HeaderWalk.h"

#include "ChapterInfo.h"
#include "HdSettingsWalk.h"
#include "MemoryStream.h"
#include "PlayerBlockWalk.h"
#include "RecordError.h"
#include "RecordFormat.h"
#include "RecordLayout.h"
#include "TeamsFromStances.h"
#include "WalkArithmetic.h"
#include "WalkState.h"

#include <array>
#include <cmath>
#include <vector>

namespace Mgx {

namespace {

// The header block holds far more than the viewer keeps; the walk moves over it with the fixed
// amounts of RecordLayout.h and counts stored in the block.

void WalkAiBlock(MemoryStream& s, const RecordFormat& format)
{
    using namespace AiBlockLayout;
    const std::int64_t ruleSize = format.hdLater ? HdHeaderLayout::LaterAiRuleSize : RuleSize;
    s.Skip(BeforeStringCount);
    const std::int16_t stringCount = s.ReadInt16();
    s.Skip(AfterStringCount);
    for (int i = 0; i < stringCount; ++i)
        s.Skip(s.ReadInt32()); // AI script file names
    s.Skip(AfterStrings);
    for (int rule = 0; rule < RuleSets; ++rule) {
        const std::int32_t ruleFlag = s.ReadInt32();
        s.Skip(AfterRuleFlag);
        const std::int16_t ruleCount = s.ReadInt16();
        s.Skip(AfterRuleCount);
        if (ruleFlag != 0)
            for (int i = 0; i < ruleCount; ++i)
                s.Skip(ruleSize);
    }
    if (format.IsLaterUserPatch()) {
        s.Skip(LaterUserPatchLayout::AiBlockTail);
        s.PassZeroRun(LaterUserPatchLayout::AiBlockZeroRun);
        return;
    }
    s.Skip(BeforeTables);
    s.Skip(Tables);
    if (format.IsHd())
        s.Skip(HdHeaderLayout::AfterAiBlock);
    if (format.IsHdFrom(LateHdLayout::AiBlockTailFrom))
        s.Skip(LateHdLayout::AiBlockTail);
}

HeaderVersion ReadHeaderVersion(MemoryStream& s)
{
    char text[VersionTextSize + 1] = {};
    s.Read(text, VersionTextSize);
    HeaderVersion version;
    version.text = text; // ends at the first NUL
    version.saveVersion = s.ReadFloat32();
    if (version.saveVersion == SaveVersion::DefinitiveMarker)
        version.definitiveVersion = s.ReadUInt32();
    return version;
}

void WalkPrefix(MemoryStream& s, ChapterInfo& chapter, WalkState& state)
{
    const HeaderVersion version = ReadHeaderVersion(s);
    chapter.versionText = version.text;
    chapter.saveVersion = version.saveVersion;
    state.format = IdentifyRecordFormat(version);
    if (state.format.HasHdSettingsBlock())
        WalkHdSettings(s, chapter, state);
    if (s.ReadInt32() != 0)
        WalkAiBlock(s, state.format);
}

void WalkGameSettings(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    s.Skip(SettingsLayout::BeforeGameSpeed);
    if (format.IsLaterUserPatch()) {
        // The int32 where The Conquerors keep the speed is a game clock here: a restored game holds its time.
        s.Skip(LaterUserPatchLayout::BeforeGameSpeed);
        chapter.gameSpeed = s.ReadInt32();
        s.Skip(LaterUserPatchLayout::AfterGameSpeed);
    } else if (format.IsHdFrom(LateHdLayout::SpeedAsFloatFrom)) {
        // The int32 speed is 0 here; the float a few bytes on holds it.
        using namespace LateHdLayout;
        s.Skip(4);
        s.Skip(BeforeSpeedFloat);
        chapter.gameSpeed = static_cast<std::int32_t>(std::lround(static_cast<double>(s.ReadFloat32()) * SpeedFloatScale));
        s.Skip(SettingsLayout::AfterGameSpeed - BeforeSpeedFloat - 4);
    } else {
        chapter.gameSpeed = s.ReadInt32();
        s.Skip(SettingsLayout::AfterGameSpeed);
    }
    chapter.recorderNumber = s.ReadInt16();
    chapter.playerCount = s.ReadUInt8();
    s.Skip(SettingsLayout::AfterPlayerCount);
}

// UserPatch 1.5 stores four bytes per tile; the model keeps the two that hold terrain and elevation.
void ReadWideTiles(MemoryStream& s, std::vector<std::uint8_t>& terrain)
{
    using namespace LaterUserPatchLayout;
    const std::uint8_t* tile = s.Current() + WideTileTerrainOffset;
    for (std::size_t at = 0; at < terrain.size(); at += 2, tile += WideTileSize) {
        terrain[at] = tile[0];
        terrain[at + 1] = tile[1];
    }
    s.Skip(static_cast<std::int64_t>(terrain.size() / 2) * WideTileSize);
}

void ReadTerrain(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    const std::uint64_t tiles = std::uint64_t{chapter.mapWidth} * chapter.mapHeight;
    const std::uint64_t tileSize = format.IsUserPatch15() ? LaterUserPatchLayout::WideTileSize : MapLayout::TileSize;
    // The tiles are stored right here; a size the rest of the block cannot hold is a damaged header,
    // and allocating for it would let one file claim gigabytes.
    if (tiles > static_cast<std::uint64_t>(s.Remaining()) / tileSize)
        throw HeaderError("a map of " + std::to_string(chapter.mapWidth) + " x " + std::to_string(chapter.mapHeight)
                              + " tiles does not fit in the " + std::to_string(s.Remaining()) + " bytes left",
                          s.Position());
    chapter.terrain.resize(static_cast<std::size_t>(tiles * MapLayout::TileSize));
    if (format.IsUserPatch15())
        ReadWideTiles(s, chapter.terrain);
    else
        s.Read(chapter.terrain.data(), chapter.terrain.size());
    chapter.objectMarks.assign(static_cast<std::size_t>(tiles), 0);
}

void WalkMap(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    chapter.mapWidth = s.ReadUInt32();
    chapter.mapHeight = s.ReadUInt32();
    const std::uint64_t tilesW32 = Wide(chapter.mapWidth) * chapter.mapHeight;

    using namespace MapLayout;
    const std::int32_t zoneCount = s.ReadInt32();
    for (int zone = 0; zone < zoneCount; ++zone) {
        s.Skip(format.IsHd() ? Signed32(HdHeaderLayout::ZoneTileSize * tilesW32 + HdHeaderLayout::ZoneExtra) : Signed32(tilesW32 + MapLayout::ZoneExtra));
        const std::int32_t zoneValues = s.ReadInt32();
        s.Skip(Signed32(ZoneValueSize * Wide(zoneValues) + AfterZoneValues));
    }
    s.Skip(BeforeTerrain);
    ReadTerrain(s, chapter, format);

    const std::int32_t mapEntries = s.ReadInt32();
    s.Skip(Signed32(EntryValueSize * Wide(mapEntries) + AfterEntryValues));
    for (int i = 0; i < mapEntries; ++i)
        s.Skip(Signed32(EntryItemSize * Wide(s.ReadInt32())));

    const std::int32_t gridRows = s.ReadInt32();
    const std::int32_t gridColumns = s.ReadInt32();
    s.Skip(Signed32(GridValueSize * Wide(gridRows) * Wide(gridColumns)));
}

void WalkRestoreState(MemoryStream& s, ChapterInfo& chapter, WalkState& state)
{
    if (!state.format.IsLaterUserPatch()) {
        s.Skip(MapLayout::AfterGrid);
        return;
    }
    using namespace LaterUserPatchLayout;
    chapter.restoreTime = s.ReadInt32();
    state.restoredGame = chapter.restoreTime != 0;
    const std::int32_t particleCount = s.ReadInt32();
    s.Skip(Signed32(ParticleSize * Wide(particleCount)));
    s.Skip(AfterParticles);
}

void WalkPlayerBlocks(MemoryStream& s, ChapterInfo& chapter, WalkState& state)
{
    for (int playerIndex = 0; playerIndex < chapter.playerCount; ++playerIndex)
        WalkPlayerBlock(s, chapter, playerIndex, state);
    if (state.restoredGame) {
        // The last block's objects and the per-player scenario stretches cannot be passed by fixed
        // steps: the scenario part resumes a fixed distance before its version.
        using namespace LaterUserPatchLayout;
        const std::int64_t marker = s.FindPattern(ScenarioVersionMarker, sizeof ScenarioVersionMarker, "the scenario version");
        s.SeekTo(marker - ScenarioVersionOffset);
    }
}

// UserPatch 1.4 and later: two counted lists in the stretch, which is 1817 bytes when both are empty.
void SkipLaterUserPatchPlayerScenario(MemoryStream& s)
{
    using namespace LaterUserPatchLayout;
    s.Skip(BeforeFirstList);
    s.Skip(Signed32(ListEntrySize * Wide(s.ReadInt32())));
    s.Skip(BetweenLists);
    s.Skip(Signed32(ListEntrySize * Wide(s.ReadInt32())));
    s.Skip(AfterSecondList);
}

void WalkPlayerScenarios(MemoryStream& s, ChapterInfo& chapter, const WalkState& state)
{
    if (state.restoredGame)
        return; // passed by the search after the player blocks
    for (int playerIndex = 1; playerIndex < chapter.playerCount; ++playerIndex) {
        if (state.format.IsLaterUserPatch())
            SkipLaterUserPatchPlayerScenario(s);
        else
            s.Skip(ScenarioLayout::PlayerStretch);
    }
}

void WalkScenario(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    using namespace ScenarioLayout;
    s.Skip(BeforeFileName);
    chapter.scenarioFileName = s.ReadString16();
    s.Skip(BeforeInstructions);
    chapter.instructions = s.ReadString16();
    for (int i = 0; i < OtherTexts; ++i)
        s.SkipString16();

    const std::int32_t blockFlag = s.ReadInt32();
    s.Skip(AfterBlockFlag);
    if (blockFlag != 0 && !(format.IsHdFrom(LateHdLayout::PicturelessFlagFrom) && blockFlag == LateHdLayout::PicturelessFlag)) {
        std::array<std::uint32_t, BlockValues> values{};
        s.Read(values.data(), sizeof values);
        s.Skip(Unsigned32(BlockCountedValueSize * Wide(values[BlockCountValue])));
        s.Skip(Unsigned32(values[BlockLengthValue]));
    }
    s.Skip(AfterBlock);
    for (int i = 0; i < FileNames; ++i)
        s.SkipString16();
    for (int i = 0; i < Blobs; ++i) {
        s.Skip(BeforeBlob);
        s.Skip(Unsigned32(s.ReadUInt32()));
    }
    if (format.IsHdFrom(LateHdLayout::BeforeMapIdFrom1234))
        s.Skip(LateHdLayout::BeforeMapId1234);
    else if (format.IsHdFrom(LateHdLayout::BeforeMapIdFrom1231))
        s.Skip(LateHdLayout::BeforeMapId1231);
    else
        s.Skip(BeforeMapId);
    if (format.hdLater && !format.IsHdFrom(LateHdLayout::BeforeMapIdFrom1231))
        s.Skip(HdHeaderLayout::LaterBeforeMapIdExtra);
}

void WalkLobbyEntries(MemoryStream& s, const WalkState& state)
{
    if (state.restoredGame) {
        // A restored game's lists here hold its running state: find the end of the stretch instead.
        using namespace LaterUserPatchLayout;
        const std::int64_t marker = s.FindPattern(VictoryStretchMarker, sizeof VictoryStretchMarker, "the victory settings");
        s.SeekTo(marker - VictoryStretchOffset);
        return;
    }
    using namespace LobbyLayout;
    const std::int32_t lobbyEntries = s.ReadInt32();
    for (int i = 0; i < lobbyEntries; ++i) {
        s.Skip(EntryHead);
        const std::int32_t itemCount = s.ReadInt32();
        s.Skip(Signed32(EntryItemSize * Wide(itemCount)));
        s.Skip(EntryTail);
    }
    s.Skip(AfterEntries);
}

void WalkLobby(MemoryStream& s, ChapterInfo& chapter, const WalkState& state)
{
    const RecordFormat& format = state.format;
    chapter.mapId = s.ReadInt32();
    if (format.HasHdSettingsBlock() && chapter.mapId == 0)
        chapter.mapId = state.resolvedMapId != 0 ? state.resolvedMapId : state.selectedMapId; // the lobby's id reads 0
    chapter.difficulty = s.ReadInt32();
    s.Skip(LobbyLayout::BeforeSlots);
    for (PlayerSlot& slot : chapter.slots) {
        slot.playerNumber = s.ReadInt32();
        slot.slotType = s.ReadInt32();
        slot.name = s.ReadString32();
    }
    if (format.IsHdFrom(LateHdLayout::LongerLobbyFrom))
        s.Skip(LateHdLayout::LongerLobbyStretch);
    else
        s.Skip(format.IsHd() ? HdHeaderLayout::LobbyStretch : LobbyLayout::AfterSlots);
    WalkLobbyEntries(s, state);
}

void WalkVictory(MemoryStream& s, ChapterInfo& chapter)
{
    chapter.victoryType = s.ReadInt32();
    s.Skip(VictoryLayout::BeforeVictoryValue);
    chapter.victoryValue = s.ReadInt32();
    s.Skip(VictoryLayout::AfterVictoryValue);
}

// A counted text; HD writes the length 0xFFFFFFFF for "no text".
void SkipTriggerText(MemoryStream& s, const RecordFormat& format)
{
    const std::uint32_t length = s.ReadUInt32();
    if (!(format.IsHd() && length == HdHeaderLayout::NoText))
        s.Skip(Unsigned32(length));
}

void WalkTriggerEntry(MemoryStream& s, const RecordFormat& format)
{
    using namespace TriggerLayout;
    const std::int64_t effectBody = format.hdLater ? HdHeaderLayout::LaterTriggerEffectHead : EffectBody;
    const std::uint64_t conditionSize = format.hdLater ? HdHeaderLayout::LaterTriggerConditionSize : ConditionSize;
    s.Skip(EntryHead);
    SkipTriggerText(s, format);
    SkipTriggerText(s, format);
    const std::int32_t itemCount = s.ReadInt32();
    for (int i = 0; i < itemCount; ++i) {
        s.Skip(EffectHead);
        const std::int32_t valueCount = s.ReadInt32();
        s.Skip(effectBody);
        SkipTriggerText(s, format);
        SkipTriggerText(s, format);
        if (valueCount > 0)
            s.Skip(Signed32(OrderEntrySize * Wide(valueCount)));
    }
    s.Skip(Signed32(OrderEntrySize * Wide(itemCount)));
    const std::int32_t conditionCount = s.ReadInt32();
    s.Skip(Signed32(conditionSize * Wide(conditionCount)));
}

void WalkTriggers(MemoryStream& s, const RecordFormat& format)
{
    const std::int32_t listCount = s.ReadInt32();
    for (int i = 0; i < listCount; ++i)
        WalkTriggerEntry(s, format);
    if (listCount > 0)
        s.Skip(Signed32(TriggerLayout::OrderEntrySize * Wide(listCount)));
}

void WalkTeamsAndOptions(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    for (std::size_t k = 1; k < chapter.slots.size(); ++k)
        chapter.slots[k].team = s.ReadUInt8();
    if (!format.IsHdFrom(LateHdLayout::NoByteAfterTeamsFrom))
        s.Skip(TeamsLayout::AfterTeams);
    chapter.revealSetting = s.ReadInt32();
    s.Skip(TeamsLayout::AfterRevealSetting);
    chapter.populationLimit = s.ReadInt32();
    chapter.gameType = s.ReadUInt8();
    chapter.lockFlag = s.ReadUInt8();
    if (format.IsHd())
        s.Skip(HdHeaderLayout::AfterLockFlag);
}

void WalkPregameChat(MemoryStream& s, ChapterInfo& chapter)
{
    const std::int32_t chatCount = s.ReadInt32();
    for (int i = 0; i < chatCount; ++i) {
        const std::uint32_t length = s.ReadUInt32();
        std::string text = s.ReadBytes(length);
        if (length > LongestEmptyChatEntry)
            chapter.pregameChat.push_back({std::move(text)});
    }
}

// The later HD releases name the map in the third line of the instructions, after its caption
// ("Map Type: Valley", "Location: Arabia", "位置： HC3_Arabia_v4.rms" in GBK).
std::string MapNameFromInstructions(const GbkText& instructions)
{
    if (!instructions)
        return {};
    std::string_view text = *instructions;
    text = text.substr(0, text.find('\0'));
    for (int line = 0; line < 2; ++line) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return {};
        text.remove_prefix(end + 1);
    }
    text = text.substr(0, text.find_first_of("\r\n"));
    for (const std::string_view colon : {std::string_view(":"), std::string_view("\xA3\xBA"), std::string_view("\xEF\xBC\x9A")}) {
        const std::size_t at = text.find(colon);
        if (at == std::string_view::npos)
            continue;
        std::string_view name = text.substr(at + colon.size());
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        return std::string(name);
    }
    return {};
}

} // namespace

void WalkHeader(MemoryStream& stream, ChapterInfo& chapter)
{
    WalkState state;
    WalkPrefix(stream, chapter, state);
    const RecordFormat& format = state.format;
    WalkGameSettings(stream, chapter, format);
    WalkMap(stream, chapter, format);
    WalkRestoreState(stream, chapter, state);
    WalkPlayerBlocks(stream, chapter, state);
    WalkPlayerScenarios(stream, chapter, state);
    WalkScenario(stream, chapter, format);
    WalkLobby(stream, chapter, state);
    WalkVictory(stream, chapter);
    WalkTriggers(stream, format);
    WalkTeamsAndOptions(stream, chapter, format);
    FillTeamsFromStances(chapter, format);
    WalkPregameChat(stream, chapter);
    if (format.IsLateHd() && chapter.mapName.empty())
        chapter.mapName = MapNameFromInstructions(chapter.instructions);
}

} // namespace Mgx
