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
    s.skip(BeforeStringCount);
    const std::int16_t stringCount = s.readInt16();
    s.skip(AfterStringCount);
    for (int i = 0; i < stringCount; ++i)
        s.skip(s.readInt32()); // AI script file names
    s.skip(AfterStrings);
    for (int rule = 0; rule < RuleSets; ++rule) {
        const std::int32_t ruleFlag = s.readInt32();
        s.skip(AfterRuleFlag);
        const std::int16_t ruleCount = s.readInt16();
        s.skip(AfterRuleCount);
        if (ruleFlag != 0)
            for (int i = 0; i < ruleCount; ++i)
                s.skip(ruleSize);
    }
    if (format.laterUserPatch()) {
        s.skip(LaterUserPatchLayout::AiBlockTail);
        s.passZeroRun(LaterUserPatchLayout::AiBlockZeroRun);
        return;
    }
    s.skip(BeforeTables);
    s.skip(Tables);
    if (format.hd())
        s.skip(HdHeaderLayout::AfterAiBlock);
    if (format.hdFrom(LateHdLayout::AiBlockTailFrom))
        s.skip(LateHdLayout::AiBlockTail);
}

HeaderVersion ReadHeaderVersion(MemoryStream& s)
{
    char text[VersionTextSize + 1] = {};
    s.read(text, VersionTextSize);
    HeaderVersion version;
    version.text = text; // ends at the first NUL
    version.saveVersion = s.readFloat32();
    if (version.saveVersion == SaveVersion::DefinitiveMarker)
        version.definitiveVersion = s.readUInt32();
    return version;
}

void WalkPrefix(MemoryStream& s, ChapterInfo& chapter, WalkState& state)
{
    const HeaderVersion version = ReadHeaderVersion(s);
    chapter.versionText = version.text;
    chapter.saveVersion = version.saveVersion;
    state.format = IdentifyRecordFormat(version);
    if (state.format.hdSettingsBlock())
        WalkHdSettings(s, chapter, state);
    if (s.readInt32() != 0)
        WalkAiBlock(s, state.format);
}

void WalkGameSettings(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    s.skip(SettingsLayout::BeforeGameSpeed);
    if (format.laterUserPatch()) {
        // The int32 where The Conquerors keep the speed is a game clock here: a restored game holds its time.
        s.skip(LaterUserPatchLayout::BeforeGameSpeed);
        chapter.gameSpeed = s.readInt32();
        s.skip(LaterUserPatchLayout::AfterGameSpeed);
    } else if (format.hdFrom(LateHdLayout::SpeedAsFloatFrom)) {
        // The int32 speed is 0 here; the float a few bytes on holds it.
        using namespace LateHdLayout;
        s.skip(4);
        s.skip(BeforeSpeedFloat);
        chapter.gameSpeed = static_cast<std::int32_t>(std::lround(static_cast<double>(s.readFloat32()) * SpeedFloatScale));
        s.skip(SettingsLayout::AfterGameSpeed - BeforeSpeedFloat - 4);
    } else {
        chapter.gameSpeed = s.readInt32();
        s.skip(SettingsLayout::AfterGameSpeed);
    }
    chapter.recorderNumber = s.readInt16();
    chapter.playerCount = s.readUInt8();
    s.skip(SettingsLayout::AfterPlayerCount);
}

// UserPatch 1.5 stores four bytes per tile; the model keeps the two that hold terrain and elevation.
void ReadWideTiles(MemoryStream& s, std::vector<std::uint8_t>& terrain)
{
    using namespace LaterUserPatchLayout;
    const std::uint8_t* tile = s.current() + WideTileTerrainOffset;
    for (std::size_t at = 0; at < terrain.size(); at += 2, tile += WideTileSize) {
        terrain[at] = tile[0];
        terrain[at + 1] = tile[1];
    }
    s.skip(static_cast<std::int64_t>(terrain.size() / 2) * WideTileSize);
}

void ReadTerrain(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    const std::uint64_t tiles = std::uint64_t{chapter.mapWidth} * chapter.mapHeight;
    const std::uint64_t tileSize = format.userPatch15() ? LaterUserPatchLayout::WideTileSize : MapLayout::TileSize;
    // The tiles are stored right here; a size the rest of the block cannot hold is a damaged header,
    // and allocating for it would let one file claim gigabytes.
    if (tiles > static_cast<std::uint64_t>(s.remaining()) / tileSize)
        throw HeaderError("a map of " + std::to_string(chapter.mapWidth) + " x " + std::to_string(chapter.mapHeight)
                              + " tiles does not fit in the " + std::to_string(s.remaining()) + " bytes left",
                          s.position());
    chapter.terrain.resize(static_cast<std::size_t>(tiles * MapLayout::TileSize));
    if (format.userPatch15())
        ReadWideTiles(s, chapter.terrain);
    else
        s.read(chapter.terrain.data(), chapter.terrain.size());
    chapter.objectMarks.assign(static_cast<std::size_t>(tiles), 0);
}

void WalkMap(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    chapter.mapWidth = s.readUInt32();
    chapter.mapHeight = s.readUInt32();
    const std::uint64_t tilesW32 = Wide(chapter.mapWidth) * chapter.mapHeight;

    using namespace MapLayout;
    const std::int32_t zoneCount = s.readInt32();
    for (int zone = 0; zone < zoneCount; ++zone) {
        s.skip(format.hd() ? Signed32(HdHeaderLayout::ZoneTileSize * tilesW32 + HdHeaderLayout::ZoneExtra) : Signed32(tilesW32 + MapLayout::ZoneExtra));
        const std::int32_t zoneValues = s.readInt32();
        s.skip(Signed32(ZoneValueSize * Wide(zoneValues) + AfterZoneValues));
    }
    s.skip(BeforeTerrain);
    ReadTerrain(s, chapter, format);

    const std::int32_t mapEntries = s.readInt32();
    s.skip(Signed32(EntryValueSize * Wide(mapEntries) + AfterEntryValues));
    for (int i = 0; i < mapEntries; ++i)
        s.skip(Signed32(EntryItemSize * Wide(s.readInt32())));

    const std::int32_t gridRows = s.readInt32();
    const std::int32_t gridColumns = s.readInt32();
    s.skip(Signed32(GridValueSize * Wide(gridRows) * Wide(gridColumns)));
}

void WalkRestoreState(MemoryStream& s, ChapterInfo& chapter, WalkState& state)
{
    if (!state.format.laterUserPatch()) {
        s.skip(MapLayout::AfterGrid);
        return;
    }
    using namespace LaterUserPatchLayout;
    chapter.restoreTime = s.readInt32();
    state.restoredGame = chapter.restoreTime != 0;
    const std::int32_t particleCount = s.readInt32();
    s.skip(Signed32(ParticleSize * Wide(particleCount)));
    s.skip(AfterParticles);
}

void WalkPlayerBlocks(MemoryStream& s, ChapterInfo& chapter, WalkState& state)
{
    for (int playerIndex = 0; playerIndex < chapter.playerCount; ++playerIndex)
        WalkPlayerBlock(s, chapter, playerIndex, state);
    if (state.restoredGame) {
        // The last block's objects and the per-player scenario stretches cannot be passed by fixed
        // steps: the scenario part resumes a fixed distance before its version.
        using namespace LaterUserPatchLayout;
        const std::int64_t marker = s.findPattern(ScenarioVersionMarker, sizeof ScenarioVersionMarker, "the scenario version");
        s.seekTo(marker - ScenarioVersionOffset);
    }
}

// UserPatch 1.4 and later: two counted lists in the stretch, which is 1817 bytes when both are empty.
void SkipLaterUserPatchPlayerScenario(MemoryStream& s)
{
    using namespace LaterUserPatchLayout;
    s.skip(BeforeFirstList);
    s.skip(Signed32(ListEntrySize * Wide(s.readInt32())));
    s.skip(BetweenLists);
    s.skip(Signed32(ListEntrySize * Wide(s.readInt32())));
    s.skip(AfterSecondList);
}

void WalkPlayerScenarios(MemoryStream& s, ChapterInfo& chapter, const WalkState& state)
{
    if (state.restoredGame)
        return; // passed by the search after the player blocks
    for (int playerIndex = 1; playerIndex < chapter.playerCount; ++playerIndex) {
        if (state.format.laterUserPatch())
            SkipLaterUserPatchPlayerScenario(s);
        else
            s.skip(ScenarioLayout::PlayerStretch);
    }
}

void WalkScenario(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    using namespace ScenarioLayout;
    s.skip(BeforeFileName);
    chapter.scenarioFileName = s.readString16();
    s.skip(BeforeInstructions);
    chapter.instructions = s.readString16();
    for (int i = 0; i < OtherTexts; ++i)
        s.skipString16();

    const std::int32_t blockFlag = s.readInt32();
    s.skip(AfterBlockFlag);
    if (blockFlag != 0 && !(format.hdFrom(LateHdLayout::PicturelessFlagFrom) && blockFlag == LateHdLayout::PicturelessFlag)) {
        std::array<std::uint32_t, BlockValues> values{};
        s.read(values.data(), sizeof values);
        s.skip(Unsigned32(BlockCountedValueSize * Wide(values[BlockCountValue])));
        s.skip(Unsigned32(values[BlockLengthValue]));
    }
    s.skip(AfterBlock);
    for (int i = 0; i < FileNames; ++i)
        s.skipString16();
    for (int i = 0; i < Blobs; ++i) {
        s.skip(BeforeBlob);
        s.skip(Unsigned32(s.readUInt32()));
    }
    if (format.hdFrom(LateHdLayout::BeforeMapIdFrom1234))
        s.skip(LateHdLayout::BeforeMapId1234);
    else if (format.hdFrom(LateHdLayout::BeforeMapIdFrom1231))
        s.skip(LateHdLayout::BeforeMapId1231);
    else
        s.skip(BeforeMapId);
    if (format.hdLater && !format.hdFrom(LateHdLayout::BeforeMapIdFrom1231))
        s.skip(HdHeaderLayout::LaterBeforeMapIdExtra);
}

void WalkLobbyEntries(MemoryStream& s, const WalkState& state)
{
    if (state.restoredGame) {
        // A restored game's lists here hold its running state: find the end of the stretch instead.
        using namespace LaterUserPatchLayout;
        const std::int64_t marker = s.findPattern(VictoryStretchMarker, sizeof VictoryStretchMarker, "the victory settings");
        s.seekTo(marker - VictoryStretchOffset);
        return;
    }
    using namespace LobbyLayout;
    const std::int32_t lobbyEntries = s.readInt32();
    for (int i = 0; i < lobbyEntries; ++i) {
        s.skip(EntryHead);
        const std::int32_t itemCount = s.readInt32();
        s.skip(Signed32(EntryItemSize * Wide(itemCount)));
        s.skip(EntryTail);
    }
    s.skip(AfterEntries);
}

void WalkLobby(MemoryStream& s, ChapterInfo& chapter, const WalkState& state)
{
    const RecordFormat& format = state.format;
    chapter.mapId = s.readInt32();
    if (format.hdSettingsBlock() && chapter.mapId == 0)
        chapter.mapId = state.resolvedMapId != 0 ? state.resolvedMapId : state.selectedMapId; // the lobby's id reads 0
    chapter.difficulty = s.readInt32();
    s.skip(LobbyLayout::BeforeSlots);
    for (PlayerSlot& slot : chapter.slots) {
        slot.playerNumber = s.readInt32();
        slot.slotType = s.readInt32();
        slot.name = s.readString32();
    }
    if (format.hdFrom(LateHdLayout::LongerLobbyFrom))
        s.skip(LateHdLayout::LongerLobbyStretch);
    else
        s.skip(format.hd() ? HdHeaderLayout::LobbyStretch : LobbyLayout::AfterSlots);
    WalkLobbyEntries(s, state);
}

void WalkVictory(MemoryStream& s, ChapterInfo& chapter)
{
    chapter.victoryType = s.readInt32();
    s.skip(VictoryLayout::BeforeVictoryValue);
    chapter.victoryValue = s.readInt32();
    s.skip(VictoryLayout::AfterVictoryValue);
}

// A counted text; HD writes the length 0xFFFFFFFF for "no text".
void SkipTriggerText(MemoryStream& s, const RecordFormat& format)
{
    const std::uint32_t length = s.readUInt32();
    if (!(format.hd() && length == HdHeaderLayout::NoText))
        s.skip(Unsigned32(length));
}

void WalkTriggerEntry(MemoryStream& s, const RecordFormat& format)
{
    using namespace TriggerLayout;
    const std::int64_t effectBody = format.hdLater ? HdHeaderLayout::LaterTriggerEffectHead : EffectBody;
    const std::uint64_t conditionSize = format.hdLater ? HdHeaderLayout::LaterTriggerConditionSize : ConditionSize;
    s.skip(EntryHead);
    SkipTriggerText(s, format);
    SkipTriggerText(s, format);
    const std::int32_t itemCount = s.readInt32();
    for (int i = 0; i < itemCount; ++i) {
        s.skip(EffectHead);
        const std::int32_t valueCount = s.readInt32();
        s.skip(effectBody);
        SkipTriggerText(s, format);
        SkipTriggerText(s, format);
        if (valueCount > 0)
            s.skip(Signed32(OrderEntrySize * Wide(valueCount)));
    }
    s.skip(Signed32(OrderEntrySize * Wide(itemCount)));
    const std::int32_t conditionCount = s.readInt32();
    s.skip(Signed32(conditionSize * Wide(conditionCount)));
}

void WalkTriggers(MemoryStream& s, const RecordFormat& format)
{
    const std::int32_t listCount = s.readInt32();
    for (int i = 0; i < listCount; ++i)
        WalkTriggerEntry(s, format);
    if (listCount > 0)
        s.skip(Signed32(TriggerLayout::OrderEntrySize * Wide(listCount)));
}

void WalkTeamsAndOptions(MemoryStream& s, ChapterInfo& chapter, const RecordFormat& format)
{
    for (std::size_t k = 1; k < chapter.slots.size(); ++k)
        chapter.slots[k].team = s.readUInt8();
    if (!format.hdFrom(LateHdLayout::NoByteAfterTeamsFrom))
        s.skip(TeamsLayout::AfterTeams);
    chapter.revealSetting = s.readInt32();
    s.skip(TeamsLayout::AfterRevealSetting);
    chapter.populationLimit = s.readInt32();
    chapter.gameType = s.readUInt8();
    chapter.lockFlag = s.readUInt8();
    if (format.hd())
        s.skip(HdHeaderLayout::AfterLockFlag);
}

void WalkPregameChat(MemoryStream& s, ChapterInfo& chapter)
{
    const std::int32_t chatCount = s.readInt32();
    for (int i = 0; i < chatCount; ++i) {
        const std::uint32_t length = s.readUInt32();
        std::string text = s.readBytes(length);
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
    if (format.lateHd() && chapter.mapName.empty())
        chapter.mapName = MapNameFromInstructions(chapter.instructions);
}

} // namespace Mgx
