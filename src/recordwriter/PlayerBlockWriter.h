#pragma once

#include "PlayerBlueprint.h"

#include <cstdint>

namespace Mgx {

class ByteBuilder;

// Writes one player data block, its object type table and its initial objects.
class PlayerBlockWriter {
public:
    static void Write(const PlayerBlueprint& player, std::uint8_t playerCount, ByteBuilder& out);

private:
    PlayerBlockWriter(const PlayerBlueprint& player, ByteBuilder& out) : m_player(player), m_out(out) {}

    void WriteIdentity(std::uint8_t playerCount);
    void WriteState();
    void WriteCountedLists();
    void WriteComputerStretch();
    void WriteObjectTypes();
    void WriteObjectTypeEntry(const ObjectTypeEntry& entry);
    void WriteUnitCounts();
    void WriteObjectGroups();
    void WriteTrailing();

    void WriteCountTriples(const CountTripleEntry& entry);

    const PlayerBlueprint& m_player;
    ByteBuilder& m_out;
};

} // namespace Mgx
