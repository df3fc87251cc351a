#include "HeaderBlockWriter.h"

#include "ByteBuilder.h"
#include "PlayerBlockWriter.h"

#include <stdexcept>

namespace korvale::test {

std::vector<std::uint8_t> HeaderBlockWriter::Write(const HeaderBlueprint& header)
{
    ByteBuilder out;
    HeaderBlockWriter writer(header, out);
    writer.writePrefix();
    writer.writeGameSettings();
    writer.writeMap();
    writer.writePlayers();
    writer.writeScenario();
    writer.writeLobby();
    writer.writeVictory();
    writer.writeTriggers();
    writer.writeTeamsAndOptions();
    writer.writePregameChat();
    out.bytes(header.tail);
    return out.data();
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

void HeaderBlockWriter::writePrefix()
{
    m_out.bytes(m_header.prefix.data(), m_header.prefix.size());
    m_out.i32(m_header.aiFlag);
    if (m_header.aiFlag != 0)
        writeAiBlock();
}

void HeaderBlockWriter::writeAiBlock()
{
    m_out.skip(2);
    m_out.i16(static_cast<std::int16_t>(m_header.aiStrings.size()));
    m_out.skip(4);
    for (const std::string& text : m_header.aiStrings)
        m_out.string32(text);
    m_out.skip(6);
    for (const AiRuleEntry& rule : m_header.aiRules) {
        m_out.i32(rule.ruleFlag);
        m_out.skip(6);
        m_out.i16(rule.ruleCount);
        m_out.skip(4);
        if (rule.ruleFlag != 0)
            for (int i = 0; i < rule.ruleCount; ++i)
                m_out.skip(400);
    }
    m_out.skip(4 + 5540);
}

void HeaderBlockWriter::writeGameSettings()
{
    m_out.skip(4);
    m_out.i32(m_header.gameSpeed);
    m_out.skip(37);
    m_out.i16(m_header.recorderNumber);
    m_out.u8(m_header.storedPlayerCount());
    m_out.skip(62);
}

void HeaderBlockWriter::writeMap()
{
    m_out.u32(m_header.mapWidth);
    m_out.u32(m_header.mapHeight);
    m_out.i32(static_cast<std::int32_t>(m_header.zones.size()));
    for (std::int32_t n : m_header.zones) {
        m_out.skipSigned32(tileCount() + 1275);
        m_out.i32(n);
        m_out.skipSigned32(4 * std::int64_t{n} + 4);
    }
    m_out.skip(2);
    m_out.bytes(TerrainOf(m_header));

    m_out.i32(static_cast<std::int32_t>(m_header.mapEntries.size()));
    m_out.skipSigned32(4 * static_cast<std::int64_t>(m_header.mapEntries.size()) + 4);
    for (std::int32_t k : m_header.mapEntries) {
        m_out.i32(k);
        m_out.skipSigned32(8 * std::int64_t{k});
    }
    m_out.i32(m_header.mapGridA);
    m_out.i32(m_header.mapGridB);
    m_out.skipSigned32(4 * std::int64_t{m_header.mapGridA} * m_header.mapGridB);
    m_out.skip(13);
}

void HeaderBlockWriter::writePlayers()
{
    const std::uint8_t count = m_header.storedPlayerCount();
    if (count > m_header.players.size())
        throw std::invalid_argument("playerCount names more player blocks than the header has");
    for (std::uint8_t p = 0; p < count; ++p)
        PlayerBlockWriter::Write(m_header.players[p], count, m_out);
}

void HeaderBlockWriter::writeScenario()
{
    for (int p = 1; p < m_header.storedPlayerCount(); ++p)
        m_out.skip(1817);
    m_out.skip(4453);
    m_out.string16(m_header.scenarioFileName);
    m_out.skip(24);
    m_out.string16(m_header.instructions);
    for (const std::string& text : m_header.scenarioTexts)
        m_out.string16(text);

    m_out.i32(m_header.blockFlag);
    m_out.skip(10);
    if (m_header.blockFlag != 0) {
        for (std::int32_t value : m_header.blockValues)
            m_out.i32(value);
        m_out.skipUnsigned32(4 * std::int64_t{static_cast<std::uint32_t>(m_header.blockValues[8])});
        m_out.skipUnsigned32(static_cast<std::uint32_t>(m_header.blockValues[5]));
    }
    m_out.skip(64);
    for (const std::string& text : m_header.scenarioNames)
        m_out.string16(text);
    for (const std::string& blob : m_header.scenarioBlobs) {
        m_out.skip(8);
        m_out.string32(blob);
    }
    m_out.skip(408 + 40 + 12548 + 5456 + 8);
}

void HeaderBlockWriter::writeLobby()
{
    m_out.i32(m_header.mapId);
    m_out.i32(m_header.difficulty);
    m_out.skip(4);
    for (const SlotBlueprint& slot : m_header.slots) {
        m_out.i32(slot.playerNumber);
        m_out.i32(slot.slotType);
        m_out.string32(slot.name);
    }
    m_out.skip(1655);
    m_out.i32(static_cast<std::int32_t>(m_header.lobbyEntries.size()));
    for (std::int32_t m : m_header.lobbyEntries) {
        m_out.skip(4);
        m_out.i32(m);
        m_out.skipSigned32(12 * std::int64_t{m});
        m_out.skip(20);
    }
    m_out.skip(4 + 4);
}

void HeaderBlockWriter::writeVictory()
{
    m_out.i32(m_header.victoryType);
    m_out.skip(9);
    m_out.i32(m_header.victoryValue);
    m_out.skip(108 + 1);
}

void HeaderBlockWriter::writeTriggers()
{
    const auto listCount = static_cast<std::int32_t>(m_header.triggers.size());
    m_out.i32(listCount);
    for (const TriggerEntry& entry : m_header.triggers) {
        m_out.skip(18);
        m_out.string32(entry.first);
        m_out.string32(entry.second);
        const auto e = static_cast<std::int32_t>(entry.items.size());
        m_out.i32(e);
        for (const TriggerItem& item : entry.items) {
            m_out.skip(24);
            m_out.i32(item.r);
            m_out.skip(72);
            m_out.string32(item.first);
            m_out.string32(item.second);
            if (item.r > 0)
                m_out.skipSigned32(4 * std::int64_t{item.r});
        }
        m_out.skipSigned32(4 * std::int64_t{e});
        m_out.i32(entry.c);
        m_out.skipSigned32(76 * std::int64_t{entry.c});
    }
    if (listCount > 0)
        m_out.skipSigned32(4 * std::int64_t{listCount});
}

void HeaderBlockWriter::writeTeamsAndOptions()
{
    for (std::size_t k = 1; k < m_header.slots.size(); ++k)
        m_out.u8(m_header.slots[k].team);
    m_out.skip(1);
    m_out.i32(m_header.revealSetting);
    m_out.skip(8);
    m_out.i32(m_header.populationLimit);
    m_out.u8(m_header.gameType);
    m_out.u8(m_header.lockFlag);
}

void HeaderBlockWriter::writePregameChat()
{
    m_out.i32(static_cast<std::int32_t>(m_header.pregameChat.size()));
    for (const std::string& line : m_header.pregameChat)
        m_out.string32(line);
}

} // namespace korvale::test
