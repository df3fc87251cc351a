#pragma once

#include "HeaderBlueprint.h"

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
    HeaderBlockWriter(const HeaderBlueprint& header, ByteBuilder& out) : m_header(header), m_out(out) {}

    void WritePrefix();
    void WriteAiBlock();
    void WriteGameSettings();
    void WriteMap();
    void WritePlayers();
    void WriteScenario();
    void WriteLobby();
    void WriteVictory();
    void WriteTriggers();
    void WriteTeamsAndOptions();
    void WritePregameChat();

    std::int64_t tileCount() const;

    const HeaderBlueprint& m_header;
    ByteBuilder& m_out;
};

} // namespace Mgx
