#pragma once

#include "PlayerBlueprint.h"

#include <cstdint>

namespace korvale::test {

class ByteBuilder;

// Writes one player data block, its object type table and its initial objects.
class PlayerBlockWriter {
public:
    static void Write(const PlayerBlueprint& player, std::uint8_t playerCount, ByteBuilder& out);

private:
    PlayerBlockWriter(const PlayerBlueprint& player, ByteBuilder& out) : m_player(player), m_out(out) {}

    void writeIdentity(std::uint8_t playerCount);
    void writeState();
    void writeCountedLists();
    void writeComputerStretch();
    void writeObjectTypes();
    void writeObjectTypeEntry(const ObjectTypeEntry& entry);
    void writeUnitCounts();
    void writeObjectGroups();
    void writeTrailing();

    void writeCountTriples(const CountTripleEntry& entry);

    const PlayerBlueprint& m_player;
    ByteBuilder& m_out;
};

} // namespace korvale::test
