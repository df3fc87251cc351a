#pragma once

#include "HeaderBlueprint.h"

#include <cstdint>
#include <vector>

namespace korvale::test {

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

    void writePrefix();
    void writeAiBlock();
    void writeGameSettings();
    void writeMap();
    void writePlayers();
    void writeScenario();
    void writeLobby();
    void writeVictory();
    void writeTriggers();
    void writeTeamsAndOptions();
    void writePregameChat();

    std::int64_t tileCount() const;

    const HeaderBlueprint& m_header;
    ByteBuilder& m_out;
};

} // namespace korvale::test
