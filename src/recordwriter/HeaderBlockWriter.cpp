#include "HeaderBlockWriter.h"

#include "ByteBuilder.h"
#include "HdSettingsWriter.h"
#include "PlayerBlockWriter.h"
#include "RecordLayout.h"

#include <cstring>

#include <stdexcept>

namespace Mgx {

std::vector<std::uint8_t> HeaderBlockWriter::Write(const HeaderBlueprint& header)
{
    ByteBuilder out;
    HeaderBlockWriter writer(header, out);
    writer.WritePrefix();
    writer.WriteGameSettings();
    writer.WriteMap();
    writer.WritePlayers();
    writer.WriteScenario();
    writer.WriteLobby();
    writer.WriteVictory();
    writer.WriteTriggers();
    writer.WriteTeamsAndOptions();
    writer.WritePregameChat();
    out.Bytes(header.tail);
    return out.Data();
}

HeaderBlockWriter::HeaderBlockWriter(const HeaderBlueprint& header, ByteBuilder& out) : m_header(header), m_out(out)
{
    char text[VersionTextSize + 1] = {};
    std::memcpy(text, header.prefix.data(), VersionTextSize);
    float saveVersion = 0;
    std::memcpy(&saveVersion, header.prefix.data() + VersionTextSize, sizeof saveVersion);
    m_format = ChapterFormat(text, saveVersion);
}

std::vector<std::uint8_t> HeaderBlockWriter::TerrainOf(const HeaderBlueprint& header)
{
    const std::size_t tiles = std::size_t{header.mapWidth} * header.mapHeight;
    if (!header.terrain.empty()) {
        if (header.terrain.size() != tiles * 2)
            throw std::invalid_argument("terrain must hold two bytes per tile");
        return header.terrain;
    }
    // Diagonal bands of terrain ids with elevation 1: every tile differs from its neighbours, so a
    // terrain read one byte off shows.
    std::vector<std::uint8_t> terrain(tiles * 2);
    for (std::size_t i = 0; i < tiles; ++i) {
        const std::size_t x = i % header.mapWidth;
        const std::size_t y = i / header.mapWidth;
        terrain[i * 2] = static_cast<std::uint8_t>((x + 2 * y) % 41);
        terrain[i * 2 + 1] = 1;
    }
    return terrain;
}

std::int64_t HeaderBlockWriter::TileCount() const
{
    // W × H as the reader evaluates it: a signed 32-bit product.
    return static_cast<std::int32_t>(m_header.mapWidth * m_header.mapHeight);
}

void HeaderBlockWriter::WritePrefix()
{
    m_out.Bytes(m_header.prefix.data(), m_header.prefix.size());
    if (m_format.HasHdSettingsBlock())
        HdSettingsWriter::Write(m_header.hdSettings, m_out);
    m_out.I32(m_header.aiFlag);
    if (m_header.aiFlag != 0)
        WriteAiBlock();
}

void HeaderBlockWriter::WriteAiBlock()
{
    using namespace AiBlockLayout;
    m_out.Skip(BeforeStringCount);
    m_out.I16(static_cast<std::int16_t>(m_header.aiStrings.size()));
    m_out.Skip(AfterStringCount);
    for (const std::string& text : m_header.aiStrings)
        m_out.String32(text);
    m_out.Skip(AfterStrings);
    for (const AiRuleEntry& rule : m_header.aiRules) {
        m_out.I32(rule.ruleFlag);
        m_out.Skip(AfterRuleFlag);
        m_out.I16(rule.ruleCount);
        m_out.Skip(AfterRuleCount);
        if (rule.ruleFlag != 0)
            for (int i = 0; i < rule.ruleCount; ++i)
                m_out.Skip(m_format.hdLater ? HdHeaderLayout::LaterAiRuleSize : RuleSize);
    }
    if (m_format.IsLaterUserPatch()) {
        m_out.Skip(LaterUserPatchLayout::AiBlockTail);
        m_out.Bytes(m_header.aiBlockExtra);
        m_out.Bytes(std::vector<std::uint8_t>(LaterUserPatchLayout::AiBlockZeroRun, 0));
        return;
    }
    m_out.Skip(BeforeTables + Tables);
    if (m_format.IsHd())
        m_out.Skip(HdHeaderLayout::AfterAiBlock);
    if (m_format.IsHdFrom(LateHdLayout::AiBlockTailFrom))
        m_out.Skip(LateHdLayout::AiBlockTail);
}

void HeaderBlockWriter::WriteGameSettings()
{
    m_out.Skip(SettingsLayout::BeforeGameSpeed);
    if (m_format.IsLaterUserPatch()) {
        // The first is the game clock, which is the speed when a game starts.
        m_out.I32(m_header.gameSpeed);
        m_out.Skip(LaterUserPatchLayout::BeforeGameSpeed - 4); // the clock's 4 bytes are written above
        m_out.I32(m_header.gameSpeed);
        m_out.Skip(LaterUserPatchLayout::AfterGameSpeed);
    } else if (m_format.IsHdFrom(LateHdLayout::SpeedAsFloatFrom)) {
        WriteSpeedAsFloat();
    } else {
        m_out.I32(m_header.gameSpeed);
        m_out.Skip(SettingsLayout::AfterGameSpeed);
    }
    m_out.I16(m_header.recorderNumber);
    m_out.U8(m_header.StoredPlayerCount());
    m_out.Skip(SettingsLayout::AfterPlayerCount);
}

// HD from 12.50 leaves the int32 speed at 0 and stores the speed as a float 20 bytes after its start.
void HeaderBlockWriter::WriteSpeedAsFloat()
{
    using namespace LateHdLayout;
    m_out.I32(0);
    m_out.Skip(BeforeSpeedFloat);
    m_out.F32(static_cast<float>(m_header.gameSpeed / SpeedFloatScale));
    m_out.Skip(SettingsLayout::AfterGameSpeed - BeforeSpeedFloat - 4);
}

void HeaderBlockWriter::WriteMap()
{
    m_out.U32(m_header.mapWidth);
    m_out.U32(m_header.mapHeight);
    using namespace MapLayout;
    m_out.I32(static_cast<std::int32_t>(m_header.zones.size()));
    for (std::int32_t zoneValues : m_header.zones) {
        m_out.SkipSigned32(m_format.IsHd() ? HdHeaderLayout::ZoneTileSize * TileCount() + HdHeaderLayout::ZoneExtra
                                         : TileCount() + MapLayout::ZoneExtra);
        m_out.I32(zoneValues);
        m_out.SkipSigned32(ZoneValueSize * std::int64_t{zoneValues} + AfterZoneValues);
    }
    m_out.Skip(BeforeTerrain);
    WriteTerrain();

    m_out.I32(static_cast<std::int32_t>(m_header.mapEntries.size()));
    m_out.SkipSigned32(EntryValueSize * static_cast<std::int64_t>(m_header.mapEntries.size()) + AfterEntryValues);
    for (std::int32_t itemCount : m_header.mapEntries) {
        m_out.I32(itemCount);
        m_out.SkipSigned32(EntryItemSize * std::int64_t{itemCount});
    }
    m_out.I32(m_header.mapGridRows);
    m_out.I32(m_header.mapGridColumns);
    m_out.SkipSigned32(GridValueSize * std::int64_t{m_header.mapGridRows} * m_header.mapGridColumns);
    if (m_format.IsLaterUserPatch()) {
        m_out.I32(0); // restore time: a game recorded from its start
        m_out.I32(m_header.particleCount);
        m_out.SkipSigned32(LaterUserPatchLayout::ParticleSize * std::int64_t{m_header.particleCount});
        m_out.Skip(LaterUserPatchLayout::AfterParticles);
    } else {
        m_out.Skip(AfterGrid);
    }
}

void HeaderBlockWriter::WriteTerrain()
{
    const std::vector<std::uint8_t> terrain = TerrainOf(m_header);
    if (!m_format.IsUserPatch15()) {
        m_out.Bytes(terrain);
        return;
    }
    // Four bytes a tile: the marker, the two bytes the model keeps, one more.
    for (std::size_t at = 0; at < terrain.size(); at += 2) {
        m_out.U8(0xFF);
        m_out.U8(terrain[at]);
        m_out.U8(terrain[at + 1]);
        m_out.U8(0);
    }
}

void HeaderBlockWriter::WritePlayers()
{
    const std::uint8_t count = m_header.StoredPlayerCount();
    if (count > m_header.players.size())
        throw std::invalid_argument("playerCount names more player blocks than the header has");
    // HD computer blocks are found again by the first block's type count.
    const bool firstIsComputer = count == 0 || m_header.players[0].kind == PlayerKind::Computer;
    const std::int32_t computerTypeCount = (m_format.IsHd() || m_format.IsLaterUserPatch()) && !firstIsComputer
                                               ? static_cast<std::int32_t>(m_header.players[0].objectTypes.size())
                                               : PlayerBlockLayout::ComputerObjectTypeCount;
    for (std::uint8_t playerIndex = 0; playerIndex < count; ++playerIndex)
        PlayerBlockWriter::Write(m_header.players[playerIndex], count, m_out, m_format, computerTypeCount);
}

void HeaderBlockWriter::WriteScenario()
{
    for (int playerIndex = 1; playerIndex < m_header.StoredPlayerCount(); ++playerIndex) {
        if (m_format.IsLaterUserPatch())
            WritePlayerScenarioLists(static_cast<std::size_t>(playerIndex - 1));
        else
            m_out.Skip(ScenarioLayout::PlayerStretch);
    }
    using namespace ScenarioLayout;
    m_out.Skip(BeforeFileName);
    m_out.String16(m_header.scenarioFileName);
    m_out.Skip(BeforeInstructions);
    m_out.String16(m_header.instructions);
    for (const std::string& text : m_header.scenarioTexts)
        m_out.String16(text);

    m_out.I32(m_header.blockFlag);
    m_out.Skip(AfterBlockFlag);
    if (HasPicture()) {
        for (std::int32_t value : m_header.blockValues)
            m_out.I32(value);
        m_out.SkipUnsigned32(BlockCountedValueSize * std::int64_t{static_cast<std::uint32_t>(m_header.blockValues[BlockCountValue])});
        m_out.SkipUnsigned32(static_cast<std::uint32_t>(m_header.blockValues[BlockLengthValue]));
    }
    m_out.Skip(AfterBlock);
    for (const std::string& text : m_header.scenarioNames)
        m_out.String16(text);
    for (const std::string& blob : m_header.scenarioBlobs) {
        m_out.Skip(BeforeBlob);
        m_out.String32(blob);
    }
    WriteBeforeMapId();
}

bool HeaderBlockWriter::HasPicture() const
{
    if (m_header.blockFlag == 0)
        return false;
    return !(m_format.IsHdFrom(LateHdLayout::PicturelessFlagFrom) && m_header.blockFlag == LateHdLayout::PicturelessFlag);
}

void HeaderBlockWriter::WriteBeforeMapId()
{
    using namespace LateHdLayout;
    if (m_format.IsHdFrom(BeforeMapIdFrom1234)) {
        m_out.Skip(BeforeMapId1234);
    } else if (m_format.IsHdFrom(BeforeMapIdFrom1231)) {
        m_out.Skip(BeforeMapId1231);
    } else {
        m_out.Skip(ScenarioLayout::BeforeMapId);
        if (m_format.hdLater)
            m_out.Skip(HdHeaderLayout::LaterBeforeMapIdExtra);
    }
}

void HeaderBlockWriter::WritePlayerScenarioLists(std::size_t index)
{
    using namespace LaterUserPatchLayout;
    const std::array<std::int32_t, 2> counts = index < m_header.playerScenarioLists.size() ? m_header.playerScenarioLists[index]
                                                                                            : std::array<std::int32_t, 2>{};
    m_out.Skip(BeforeFirstList);
    m_out.I32(counts[0]);
    m_out.SkipSigned32(ListEntrySize * std::int64_t{counts[0]});
    m_out.Skip(BetweenLists);
    m_out.I32(counts[1]);
    m_out.SkipSigned32(ListEntrySize * std::int64_t{counts[1]});
    m_out.Skip(AfterSecondList);
}

void HeaderBlockWriter::WriteLobby()
{
    m_out.I32(m_header.mapId);
    m_out.I32(m_header.difficulty);
    m_out.Skip(LobbyLayout::BeforeSlots);
    for (const SlotBlueprint& slot : m_header.slots) {
        m_out.I32(slot.playerNumber);
        m_out.I32(slot.slotType);
        m_out.String32(slot.name);
    }
    if (m_format.IsHdFrom(LateHdLayout::LongerLobbyFrom))
        m_out.Skip(LateHdLayout::LongerLobbyStretch);
    else
        m_out.Skip(m_format.IsHd() ? HdHeaderLayout::LobbyStretch : LobbyLayout::AfterSlots);
    m_out.I32(static_cast<std::int32_t>(m_header.lobbyEntries.size()));
    for (std::int32_t itemCount : m_header.lobbyEntries) {
        m_out.Skip(LobbyLayout::EntryHead);
        m_out.I32(itemCount);
        m_out.SkipSigned32(LobbyLayout::EntryItemSize * std::int64_t{itemCount});
        m_out.Skip(LobbyLayout::EntryTail);
    }
    m_out.Skip(LobbyLayout::AfterEntries);
}

void HeaderBlockWriter::WriteVictory()
{
    m_out.I32(m_header.victoryType);
    m_out.Skip(VictoryLayout::BeforeVictoryValue);
    m_out.I32(m_header.victoryValue);
    m_out.Skip(VictoryLayout::AfterVictoryValue);
}

void HeaderBlockWriter::WriteTriggers()
{
    using namespace TriggerLayout;
    const auto listCount = static_cast<std::int32_t>(m_header.triggers.size());
    m_out.I32(listCount);
    for (const TriggerEntry& entry : m_header.triggers) {
        m_out.Skip(EntryHead);
        m_out.String32(entry.first);
        m_out.String32(entry.second);
        const auto itemCount = static_cast<std::int32_t>(entry.items.size());
        m_out.I32(itemCount);
        for (const TriggerItem& item : entry.items) {
            m_out.Skip(EffectHead);
            m_out.I32(item.valueCount);
            m_out.Skip(m_format.hdLater ? HdHeaderLayout::LaterTriggerEffectHead : EffectBody);
            m_out.String32(item.first);
            m_out.String32(item.second);
            if (item.valueCount > 0)
                m_out.SkipSigned32(OrderEntrySize * std::int64_t{item.valueCount});
        }
        m_out.SkipSigned32(OrderEntrySize * std::int64_t{itemCount});
        m_out.I32(entry.conditionCount);
        m_out.SkipSigned32((m_format.hdLater ? HdHeaderLayout::LaterTriggerConditionSize : ConditionSize) * std::int64_t{entry.conditionCount});
    }
    if (listCount > 0)
        m_out.SkipSigned32(OrderEntrySize * std::int64_t{listCount});
}

void HeaderBlockWriter::WriteTeamsAndOptions()
{
    for (std::size_t k = 1; k < m_header.slots.size(); ++k)
        m_out.U8(m_header.slots[k].team);
    if (!m_format.IsHdFrom(LateHdLayout::NoByteAfterTeamsFrom))
        m_out.Skip(TeamsLayout::AfterTeams);
    m_out.I32(m_header.revealSetting);
    m_out.Skip(TeamsLayout::AfterRevealSetting);
    m_out.I32(m_header.populationLimit);
    m_out.U8(m_header.gameType);
    m_out.U8(m_header.lockFlag);
    if (m_format.IsHd())
        m_out.Skip(HdHeaderLayout::AfterLockFlag);
}

void HeaderBlockWriter::WritePregameChat()
{
    m_out.I32(static_cast<std::int32_t>(m_header.pregameChat.size()));
    for (const std::string& line : m_header.pregameChat)
        m_out.String32(line);
}

} // namespace Mgx
