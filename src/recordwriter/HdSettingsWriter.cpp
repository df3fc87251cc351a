#include "HdSettingsWriter.h"

#include "ByteBuilder.h"
#include "RecordLayout.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace Mgx {

using namespace HdSettingsLayout;

void HdSettingsWriter::Write(const HdSettingsBlueprint& settings, ByteBuilder& out)
{
    HdSettingsWriter writer(settings, out);
    writer.WriteGameChoices();
    writer.WriteMapTexts();
    writer.WriteGameValues();
    if (writer.m_version == Version46) {
        writer.WriteOldestTail();
        return;
    }
    for (const HdSettingsSlot& slot : settings.slots)
        writer.WriteSlot(slot);
    writer.WriteLobbyTail();
}

HdSettingsWriter::HdSettingsWriter(const HdSettingsBlueprint& settings, ByteBuilder& out)
    : m_settings(settings), m_out(out), m_version(static_cast<int>(std::lround(settings.version)))
{
}

// A length, the two mark bytes, then the text.
void HdSettingsWriter::WriteText(const std::string& text)
{
    if (text.size() > std::numeric_limits<std::uint16_t>::max())
        throw std::invalid_argument("a settings text holds at most 65535 bytes");
    m_out.U16(static_cast<std::uint16_t>(text.size()));
    m_out.Bytes(TextMark, sizeof TextMark);
    m_out.Bytes(text);
}

void HdSettingsWriter::WriteSeparator()
{
    m_out.Bytes(Separator, sizeof Separator);
}

void HdSettingsWriter::WriteGameChoices()
{
    m_out.F32(m_settings.version);
    m_out.Skip(AfterVersion);
    m_out.I32(static_cast<std::int32_t>(m_settings.dlcIds.size()));
    for (const std::int32_t id : m_settings.dlcIds)
        m_out.I32(id);
    m_out.I32(m_settings.dataset);
    for (const std::uint32_t value : {m_settings.difficulty, m_settings.selectedMapId, m_settings.resolvedMapId, m_settings.revealMap,
                                      m_settings.victoryType, m_settings.startingResources, m_settings.startingAge,
                                      m_settings.endingAge})
        m_out.U32(value);
    if (m_version >= Version57)
        m_out.U32(m_settings.gameMode);
    WriteSeparator();
}

// Only the oldest layout names the map here; every layout has the separator after it.
void HdSettingsWriter::WriteMapTexts()
{
    if (m_version == Version46) {
        WriteText(m_settings.mapName);
        WriteText(m_settings.mapText);
    }
    WriteSeparator();
}

void HdSettingsWriter::WriteGameValues()
{
    m_out.F32(m_settings.speed);
    m_out.U32(m_settings.treatyLength);
    m_out.U32(m_settings.populationLimit);
    m_out.U32(m_settings.playerCount);
    m_out.Skip(AfterPlayerCount);
    WriteSeparator();
    m_out.Bytes(m_settings.flags.data(), m_settings.flags.size());
}

void HdSettingsWriter::WriteOldestTail()
{
    m_out.Skip(Old46Head);
    WriteSeparator();
    m_out.Skip(Old46BeforeTexts);
    for (int i = 0; i < Old46Texts; ++i)
        WriteText("text " + std::to_string(i));
    m_out.Skip(Old46AfterTexts);
    WriteSeparator();
    m_out.Skip(Old46End);
}

void HdSettingsWriter::WriteSlot(const HdSettingsSlot& slot)
{
    m_out.U32(m_settings.slotHead);
    m_out.I32(slot.colour);
    if (m_version >= Version57)
        m_out.Skip(Version57AfterColour);
    m_out.Skip(AfterColour);
    m_out.U32(slot.team);
    m_out.U32(slot.civilization);
    WriteText(slot.aiType);
    m_out.Skip(AfterAiType);
    if (m_version >= Version50)
        WriteText(slot.aiName);
    WriteText(slot.name);
    m_out.U32(slot.type);
    m_out.U32(static_cast<std::uint32_t>(slot.steamId));
    m_out.U32(static_cast<std::uint32_t>(slot.steamId >> 32));
    m_out.I32(slot.playerNumber);
    if (m_settings.ratings) {
        m_out.U32(slot.rating);
        m_out.U32(slot.ratedGames);
    }
}

void HdSettingsWriter::WriteLobbyTail()
{
    m_out.Skip(AfterSlots);
    WriteSeparator();
    m_out.Skip(BeforeVisibility);
    m_out.U32(m_settings.lobbyVisibility);
    m_out.Skip(AfterVisibility);
    for (const std::string& text : m_settings.fileTexts) {
        WriteText(text);
        m_out.Skip(AfterFileText);
    }
    m_out.Bytes(m_settings.guid.data(), m_settings.guid.size());
    WriteText(m_settings.lobbyName);
    WriteText(m_settings.modName);
    m_out.Skip(AfterModName);
    if (m_version >= Version50) {
        m_out.Skip(Version50Tail);
        WriteText(m_settings.lastText);
        m_out.Skip(Version50Tail);
    }
}

} // namespace Mgx
