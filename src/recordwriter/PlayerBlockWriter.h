#pragma once

#include "PlayerBlueprint.h"
#include "RecordFormat.h"
#include "RecordLayout.h"

#include <cstdint>

namespace Mgx {

class ByteBuilder;

// Writes one player data block, its object type table and its initial objects.
class PlayerBlockWriter {
public:
    // computerTypeCount: the type count a computer block's table is padded to, and searched by.
    static void Write(const PlayerBlueprint& player, std::uint8_t playerCount, ByteBuilder& out, const RecordFormat& format = {},
                      std::int32_t computerTypeCount = PlayerBlockLayout::ComputerObjectTypeCount);

private:
    PlayerBlockWriter(const PlayerBlueprint& player, ByteBuilder& out, const RecordFormat& format, std::int32_t computerTypeCount)
        : m_player(player), m_out(out), m_format(format), m_computerTypeCount(computerTypeCount) {}

    void WriteStances(std::uint8_t playerCount);
    void WriteIdentity(std::uint8_t playerCount);
    std::int32_t ValueCount() const;
    std::int64_t StretchBeforeKind() const;
    void WriteState(std::uint8_t playerCount);
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
    RecordFormat m_format;
    std::int32_t m_computerTypeCount;
};

} // namespace Mgx
