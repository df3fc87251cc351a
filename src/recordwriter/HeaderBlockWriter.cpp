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
    out.bytes(header.tail);
    return out.data();
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

std::int64_t HeaderBlockWriter::tileCount() const
{
    // W × H as the reader evaluates it: a signed 32-bit product.
    return static_cast<std::int32_t>(m_header.mapWidth * m_header.mapHeight);
}

void HeaderBlockWriter::WritePrefix()
{
    m_out.bytes(m_header.prefix.data(), m_header.prefix.size());
    if (m_format.hdSettingsBlock())
        HdSettingsWriter::Write(m_header.hdSettings, m_out);
    m_out.i32(m_header.aiFlag);
    if (m_header.aiFlag != 0)
        WriteAiBlock();
}

void HeaderBlockWriter::WriteAiBlock()
{
    using namespace AiBlockLayout;
    m_out.skip(BeforeStringCount);
    m_out.i16(static_cast<std::int16_t>(m_header.aiStrings.size()));
    m_out.skip(AfterStringCount);
    for (const std::string& text : m_header.aiStrings)
        m_out.string32(text);
    m_out.skip(AfterStrings);
    for (const AiRuleEntry& rule : m_header.aiRules) {
        m_out.i32(rule.ruleFlag);
        m_out.skip(AfterRuleFlag);
        m_out.i16(rule.ruleCount);
        m_out.skip(AfterRuleCount);
        if (rule.ruleFlag != 0)
            for (int i = 0; i < rule.ruleCount; ++i)
                m_out.skip(m_format.hdLater ? HdHeaderLayout::LaterAiRuleSize : RuleSize);
    }
    if (m_format.laterUserPatch()) {
        m_out.skip(LaterUserPatchLayout::AiBlockTail);
        m_out.bytes(m_header.aiBlockExtra);
        m_out.bytes(std::vector<std::uint8_t>(LaterUserPatchLayout::AiBlockZeroRun, 0));
        return;
    }
    m_out.skip(BeforeTables + Tables);
    if (m_format.hd())
        m_out.skip(HdHeaderLayout::AfterAiBlock);
    if (m_format.hdFrom(LateHdLayout::AiBlockTailFrom))
        m_out.skip(LateHdLayout::AiBlockTail);
}

void HeaderBlockWriter::WriteGameSettings()
{
    m_out.skip(SettingsLayout::BeforeGameSpeed);
    if (m_format.laterUserPatch()) {
        // The first is the game clock, which is the speed when a game starts.
        m_out.i32(m_header.gameSpeed);
        m_out.skip(LaterUserPatchLayout::BeforeGameSpeed - 4); // the clock's 4 bytes are written above
        m_out.i32(m_header.gameSpeed);
        m_out.skip(LaterUserPatchLayout::AfterGameSpeed);
    } else if (m_format.hdFrom(LateHdLayout::SpeedAsFloatFrom)) {
        WriteSpeedAsFloat();
    } else {
        m_out.i32(m_header.gameSpeed);
        m_out.skip(SettingsLayout::AfterGameSpeed);
    }
    m_out.i16(m_header.recorderNumber);
    m_out.u8(m_header.storedPlayerCount());
    m_out.skip(SettingsLayout::AfterPlayerCount);
}

// HD from 12.50 leaves the int32 speed at 0 and stores the speed as a float 20 bytes after its start.
void HeaderBlockWriter::WriteSpeedAsFloat()
{
    using namespace LateHdLayout;
    m_out.i32(0);
    m_out.skip(BeforeSpeedFloat);
    m_out.f32(static_cast<float>(m_header.gameSpeed / SpeedFloatScale));
    m_out.skip(SettingsLayout::AfterGameSpeed - BeforeSpeedFloat - 4);
}

void HeaderBlockWriter::WriteMap()
{
    m_out.u32(m_header.mapWidth);
    m_out.u32(m_header.mapHeight);
    using namespace MapLayout;
    m_out.i32(static_cast<std::int32_t>(m_header.zones.size()));
    for (std::int32_t zoneValues : m_header.zones) {
        m_out.skipSigned32(m_format.hd() ? HdHeaderLayout::ZoneTileSize * tileCount() + HdHeaderLayout::ZoneExtra
                                         : tileCount() + MapLayout::ZoneExtra);
        m_out.i32(zoneValues);
        m_out.skipSigned32(ZoneValueSize * std::int64_t{zoneValues} + AfterZoneValues);
    }
    m_out.skip(BeforeTerrain);
    WriteTerrain();

    m_out.i32(static_cast<std::int32_t>(m_header.mapEntries.size()));
    m_out.skipSigned32(EntryValueSize * static_cast<std::int64_t>(m_header.mapEntries.size()) + AfterEntryValues);
    for (std::int32_t itemCount : m_header.mapEntries) {
        m_out.i32(itemCount);
        m_out.skipSigned32(EntryItemSize * std::int64_t{itemCount});
    }
    m_out.i32(m_header.mapGridRows);
    m_out.i32(m_header.mapGridColumns);
    m_out.skipSigned32(GridValueSize * std::int64_t{m_header.mapGridRows} * m_header.mapGridColumns);
    if (m_format.laterUserPatch()) {
        m_out.i32(0); // restore time: a game recorded from its start
        m_out.i32(m_header.particleCount);
        m_out.skipSigned32(LaterUserPatchLayout::ParticleSize * std::int64_t{m_header.particleCount});
        m_out.skip(LaterUserPatchLayout::AfterParticles);
    } else {
        m_out.skip(AfterGrid);
    }
}

void HeaderBlockWriter::WriteTerrain()
{
    const std::vector<std::uint8_t> terrain = TerrainOf(m_header);
    if (!m_format.userPatch15()) {
        m_out.bytes(terrain);
        return;
    }
    // Four bytes a tile: the marker, the two bytes the model keeps, one more.
    for (std::size_t at = 0; at < terrain.size(); at += 2) {
        m_out.u8(0xFF);
        m_out.u8(terrain[at]);
        m_out.u8(terrain[at + 1]);
        m_out.u8(0);
    }
}

void HeaderBlockWriter::WritePlayers()
{
    const std::uint8_t count = m_header.storedPlayerCount();
    if (count > m_header.players.size())
        throw std::invalid_argument("playerCount names more player blocks than the header has");
    // HD computer blocks are found again by the first block's type count.
    const bool firstIsComputer = count == 0 || m_header.players[0].kind == PlayerKind::Computer;
    const std::int32_t computerTypeCount = (m_format.hd() || m_format.laterUserPatch()) && !firstIsComputer
                                               ? static_cast<std::int32_t>(m_header.players[0].objectTypes.size())
                                               : PlayerBlockLayout::ComputerObjectTypeCount;
    for (std::uint8_t playerIndex = 0; playerIndex < count; ++playerIndex)
        PlayerBlockWriter::Write(m_header.players[playerIndex], count, m_out, m_format, computerTypeCount);
}

void HeaderBlockWriter::WriteScenario()
{
    for (int playerIndex = 1; playerIndex < m_header.storedPlayerCount(); ++playerIndex) {
        if (m_format.laterUserPatch())
            WritePlayerScenarioLists(static_cast<std::size_t>(playerIndex - 1));
        else
            m_out.skip(ScenarioLayout::PlayerStretch);
    }
    using namespace ScenarioLayout;
    m_out.skip(BeforeFileName);
    m_out.string16(m_header.scenarioFileName);
    m_out.skip(BeforeInstructions);
    m_out.string16(m_header.instructions);
    for (const std::string& text : m_header.scenarioTexts)
        m_out.string16(text);

    m_out.i32(m_header.blockFlag);
    m_out.skip(AfterBlockFlag);
    if (HasPicture()) {
        for (std::int32_t value : m_header.blockValues)
            m_out.i32(value);
        m_out.skipUnsigned32(BlockCountedValueSize * std::int64_t{static_cast<std::uint32_t>(m_header.blockValues[BlockCountValue])});
        m_out.skipUnsigned32(static_cast<std::uint32_t>(m_header.blockValues[BlockLengthValue]));
    }
    m_out.skip(AfterBlock);
    for (const std::string& text : m_header.scenarioNames)
        m_out.string16(text);
    for (const std::string& blob : m_header.scenarioBlobs) {
        m_out.skip(BeforeBlob);
        m_out.string32(blob);
    }
    WriteBeforeMapId();
}

bool HeaderBlockWriter::HasPicture() const
{
    if (m_header.blockFlag == 0)
        return false;
    return !(m_format.hdFrom(LateHdLayout::PicturelessFlagFrom) && m_header.blockFlag == LateHdLayout::PicturelessFlag);
}

void HeaderBlockWriter::WriteBeforeMapId()
{
    using namespace LateHdLayout;
    if (m_format.hdFrom(BeforeMapIdFrom1234)) {
        m_out.skip(BeforeMapId1234);
    } else if (m_format.hdFrom(BeforeMapIdFrom1231)) {
        m_out.skip(BeforeMapId1231);
    } else {
        m_out.skip(ScenarioLayout::BeforeMapId);
        if (m_format.hdLater)
            m_out.skip(HdHeaderLayout::LaterBeforeMapIdExtra);
    }
}

void HeaderBlockWriter::WritePlayerScenarioLists(std::size_t index)
{
    using namespace LaterUserPatchLayout;
    const std::array<std::int32_t, 2> counts = index < m_header.playerScenarioLists.size() ? m_header.playerScenarioLists[index]
                                                                                            : std::array<std::int32_t, 2>{};
    m_out.skip(BeforeFirstList);
    m_out.i32(counts[0]);
    m_out.skipSigned32(ListEntrySize * std::int64_t{counts[0]});
    m_out.skip(BetweenLists);
    m_out.i32(counts[1]);
    m_out.skipSigned32(ListEntrySize * std::int64_t{counts[1]});
    m_out.skip(AfterSecondList);
}

void HeaderBlockWriter::WriteLobby()
{
    m_out.i32(m_header.mapId);
    m_out.i32(m_header.difficulty);
    m_out.skip(LobbyLayout::BeforeSlots);
    for (const SlotBlueprint& slot : m_header.slots) {
        m_out.i32(slot.playerNumber);
        m_out.i32(slot.slotType);
        m_out.string32(slot.name);
    }
    if (m_format.hdFrom(LateHdLayout::LongerLobbyFrom))
        m_out.skip(LateHdLayout::LongerLobbyStretch);
    else
        m_out.skip(m_format.hd() ? HdHeaderLayout::LobbyStretch : LobbyLayout::AfterSlots);
    m_out.i32(static_cast<std::int32_t>(m_header.lobbyEntries.size()));
    for (std::int32_t itemCount : m_header.lobbyEntries) {
        m_out.skip(LobbyLayout::EntryHead);
        m_out.i32(itemCount);
        m_out.skipSigned32(LobbyLayout::EntryItemSize * std::int64_t{itemCount});
        m_out.skip(LobbyLayout::EntryTail);
    }
    m_out.skip(LobbyLayout::AfterEntries);
}

void HeaderBlockWriter::WriteVictory()
{
    m_out.i32(m_header.victoryType);
    m_out.skip(VictoryLayout::BeforeVictoryValue);
    m_out.i32(m_header.victoryValue);
    m_out.skip(VictoryLayout::AfterVictoryValue);
}

void HeaderBlockWriter::WriteTriggers()
{
    using namespace TriggerLayout;
    const auto listCount = static_cast<std::int32_t>(m_header.triggers.size());
    m_out.i32(listCount);
    for (const TriggerEntry& entry : m_header.triggers) {
        m_out.skip(EntryHead);
        m_out.string32(entry.first);
        m_out.string32(entry.second);
        const auto itemCount = static_cast<std::int32_t>(entry.items.size());
        m_out.i32(itemCount);
        for (const TriggerItem& item : entry.items) {
            m_out.skip(EffectHead);
            m_out.i32(item.valueCount);
            m_out.skip(m_format.hdLater ? HdHeaderLayout::LaterTriggerEffectHead : EffectBody);
            m_out.string32(item.first);
            m_out.string32(item.second);
            if (item.valueCount > 0)
                m_out.skipSigned32(OrderEntrySize * std::int64_t{item.valueCount});
        }
        m_out.skipSigned32(OrderEntrySize * std::int64_t{itemCount});
        m_out.i32(entry.conditionCount);
        m_out.skipSigned32((m_format.hdLater ? HdHeaderLayout::LaterTriggerConditionSize : ConditionSize) * std::int64_t{entry.conditionCount});
    }
    if (listCount > 0)
        m_out.skipSigned32(OrderEntrySize * std::int64_t{listCount});
}

void HeaderBlockWriter::WriteTeamsAndOptions()
{
    for (std::size_t k = 1; k < m_header.slots.size(); ++k)
        m_out.u8(m_header.slots[k].team);
    if (!m_format.hdFrom(LateHdLayout::NoByteAfterTeamsFrom))
        m_out.skip(TeamsLayout::AfterTeams);
    m_out.i32(m_header.revealSetting);
    m_out.skip(TeamsLayout::AfterRevealSetting);
    m_out.i32(m_header.populationLimit);
    m_out.u8(m_header.gameType);
    m_out.u8(m_header.lockFlag);
    if (m_format.hd())
        m_out.skip(HdHeaderLayout::AfterLockFlag);
}

void HeaderBlockWriter::WritePregameChat()
{
    m_out.i32(static_cast<std::int32_t>(m_header.pregameChat.size()));
    for (const std::string& line : m_header.pregameChat)
        m_out.string32(line);
}

} // namespace Mgx
