#include "PlayerBlockWriter.h"

#include "ByteBuilder.h"
#include "ObjectRecordWriter.h"

#include <stdexcept>

namespace korvale::test {

namespace {

constexpr std::uint8_t EndOfGroups = 2;

bool IsTableRecordKind(std::uint8_t kind)
{
    switch (kind) {
    case 10: case 20: case 25: case 30: case 60: case 70: case 80:
        return true;
    default:
        return false;
    }
}

template <class Entry>
const Entry& WalkedEntry(const CountedList<Entry>& list, int index)
{
    if (index >= static_cast<int>(list.entries.size()))
        throw std::invalid_argument("a count byte names more entries than the list holds");
    return list.entries[static_cast<std::size_t>(index)];
}

} // namespace

void PlayerBlockWriter::Write(const PlayerBlueprint& player, std::uint8_t playerCount, ByteBuilder& out)
{
    PlayerBlockWriter writer(player, out);
    writer.writeIdentity(playerCount);
    writer.writeState();
    writer.writeCountedLists();
    if (player.kind == 3) {
        writer.writeComputerStretch();
    } else {
        out.skip(1);
        if (player.kind == 2)
            out.skip(452);
        out.skip(1);
    }
    writer.writeObjectTypes();
    writer.writeUnitCounts();
    writer.writeObjectGroups();
    writer.writeTrailing();
    out.skip(2);
}

void PlayerBlockWriter::writeIdentity(std::uint8_t playerCount)
{
    m_out.skip(playerCount + 42);
    m_out.string16(m_player.name);
    m_out.skip(798 + 9);
    m_out.i32(m_player.flag);
    if (m_player.flag > 0)
        m_out.skip(8);
    m_out.skip(5);
    m_out.u8(m_player.civilization);
    m_out.skip(2 + 1);
    m_out.u8(m_player.colour);
    m_out.skip(4138 + 1 + 1);
    m_out.u8(m_player.kind);
    m_out.skip(46);
}

void PlayerBlockWriter::writeState()
{
    m_out.i32(m_player.stateEntries);
    m_out.skipSigned32(14 * std::int64_t{m_player.stateEntries} + 2);
    m_out.skip(1);
    m_out.i32(m_player.wideFlag);
    m_out.skip(m_player.wideFlag != 0 ? 206 : 202);
    m_out.skip(210 + 41 + 128);
}

void PlayerBlockWriter::writeCountTriples(const CountTripleEntry& entry)
{
    for (std::int8_t k : entry.k) {
        m_out.i8(k);
        m_out.skipSigned32(4 * std::int64_t{k});
    }
}

void PlayerBlockWriter::writeCountedLists()
{
    m_out.u8(m_player.c0.storedByte());
    m_out.u8(m_player.c1.storedByte());
    m_out.u8(m_player.c2.storedByte());
    m_out.u8(m_player.c3.storedByte());
    m_out.skip(4);
    for (int i = 0; i < m_player.c0.walkedCount(); ++i) {
        m_out.skip(5);
        writeCountTriples(WalkedEntry(m_player.c0, i));
        m_out.skip(110);
    }
    for (int i = 0; i < m_player.c1.walkedCount(); ++i) {
        m_out.skip(5);
        writeCountTriples(WalkedEntry(m_player.c1, i));
        m_out.skip(103);
    }
    for (int i = 0; i < m_player.c2.walkedCount(); ++i) {
        m_out.skip(97);
        const std::int8_t k = WalkedEntry(m_player.c2, i).k;
        m_out.i8(k);
        if (k > 0)
            m_out.skip(4);
        m_out.skip(16); // whatever k says: real records hold entries with k <= 0 followed by these 16 bytes
    }
    for (int i = 0; i < m_player.c3.walkedCount(); ++i) {
        m_out.skip(9);
        writeCountTriples(WalkedEntry(m_player.c3, i));
        m_out.skip(96);
    }
    m_out.skip(1);
}

void PlayerBlockWriter::writeComputerStretch()
{
    m_out.skip(4);
    m_out.i32(m_player.computerEntries);
    m_out.skipSigned32(4 * std::int64_t{m_player.computerEntries});
    m_out.skip(8);
    for (const std::string& text : m_player.computerStrings)
        m_out.string32(text);
    m_out.skip(780);
    // What the game stores here cannot be walked; the reader searches for 0x0B + int32 866, lands one
    // byte before it and passes the two bytes the other kinds pass. The byte before is a 0x0B too,
    // so a search that does not re-test the byte that broke a partial match misses the pattern.
    m_out.bytes(m_player.computerJunk);
    m_out.u8(0x0B);
    m_out.u8(0x0B);
    if (m_player.objectTypes.size() > static_cast<std::size_t>(ComputerTypeCount))
        throw std::invalid_argument("a computer player's type table has 866 entries");
}

void PlayerBlockWriter::writeObjectTypes()
{
    std::vector<ObjectTypeEntry> entries = m_player.objectTypes;
    if (m_player.kind == 3)
        entries.resize(ComputerTypeCount, ObjectTypeEntry{0});
    m_out.i32(static_cast<std::int32_t>(entries.size()));
    for (const ObjectTypeEntry& entry : entries)
        m_out.i32(entry.presence);
    m_out.skip(1);
    for (const ObjectTypeEntry& entry : entries) {
        if (entry.presence == 0)
            continue;
        writeObjectTypeEntry(entry);
        if (!IsTableRecordKind(entry.recordKind))
            break; // the reader abandons the table here
    }
    m_out.skip(1);
}

void PlayerBlockWriter::writeObjectTypeEntry(const ObjectTypeEntry& entry)
{
    const std::uint8_t kind = entry.recordKind;
    m_out.skip(1);
    m_out.u8(kind);
    if (!IsTableRecordKind(kind))
        return;
    m_out.skip(36);
    if (kind > 10)
        m_out.skip(4);
    if (kind > 25)
        m_out.skip(4);
    if (kind > 30) {
        m_out.skip(10);
        m_out.i16(entry.a);
        m_out.skipSigned32(4 * std::int64_t{entry.a});
        m_out.i16(entry.b);
        m_out.skipSigned32(4 * std::int64_t{entry.b});
        m_out.skip(26);
        if (kind > 60)
            m_out.skip(24);
        if (kind == 60 || kind == 70)
            m_out.skip(1);
        if (kind == 80)
            m_out.skip(3);
    }
    m_out.skip(1);
}

void PlayerBlockWriter::writeUnitCounts()
{
    m_out.i32(m_player.gridA);
    m_out.i32(m_player.gridB);
    m_out.skip(6);
    m_out.skipSigned32(std::int64_t{m_player.gridA} * m_player.gridB);

    m_out.i32(static_cast<std::int32_t>(m_player.unitCounts.size()));
    for (std::int32_t count : m_player.unitCounts) {
        m_out.skip(4);
        m_out.i32(count);
    }
    for (std::int32_t count : m_player.unitCounts)
        for (std::int32_t unit = 0; unit < count; ++unit)
            m_out.skip(8);
    m_out.skip(2);
}

void PlayerBlockWriter::writeObjectGroups()
{
    for (const ObjectGroup& group : m_player.groups) {
        if (group.mark == EndOfGroups)
            throw std::invalid_argument("a group mark of 2 ends the groups");
        m_out.i32(group.mark);
        m_out.skip(3);
        for (const ObjectRecordBlueprint& object : group.objects)
            ObjectRecordWriter::Write(object, m_out);
        m_out.u8(0);
        m_out.skip(2);
    }
    m_out.i32(EndOfGroups);
    m_out.skip(3);
}

void PlayerBlockWriter::writeTrailing()
{
    for (std::uint8_t t : m_player.trailing) {
        if (t == 0)
            throw std::invalid_argument("a 0 ends the trailing list");
        m_out.u8(t);
        m_out.skip(106);
    }
    m_out.u8(0);
}

} // namespace korvale::test
