#pragma once

#include "HeaderBlueprint.h"
#include "RecordFormat.h"

#include <cstdint>
#include <vector>

namespace Mgx {

class ByteBuilder;

// Writes the inflated header block: the exact inverse of the reader's walk, every stored value
// where the walk reads one and filler where it skips.
class HeaderBlockWriter {
public:
    static std::vector<std::uint8_t> Write(const HeaderBlueprint& header);

    // The terrain bytes a header stores: its own, or a generated pattern when it has none.
    static std::vector<std::uint8_t> TerrainOf(const HeaderBlueprint& header);

private:
    HeaderBlockWriter(const HeaderBlueprint& header, ByteBuilder& out);

    void WritePrefix();
    void WriteAiBlock();
    void WriteGameSettings();
    void WriteSpeedAsFloat();
    void WriteMap();
    void WriteTerrain();
    void WritePlayers();
    void WriteScenario();
    void WritePlayerScenarioLists(std::size_t index);
    bool HasPicture() const;
    void WriteBeforeMapId();
    void WriteLobby();
    void WriteVictory();
    void WriteTriggers();
    void WriteTeamsAndOptions();
    void WritePregameChat();

    std::int64_t TileCount() const;

    const HeaderBlueprint& m_header;
    ByteBuilder& m_out;
    // Told from the prefix as the reader tells it; a prefix the reader refuses is written as The Conquerors.
    RecordFormat m_format;
};

} // namespace Mgx
