#include "PlayerBlockWriter.h"

#include "ByteBuilder.h"
#include "ObjectRecordWriter.h"

#include "PlayerKind.h"
#include "RecordLayout.h"

#include <stdexcept>

namespace Mgx {

using namespace PlayerBlockLayout;

namespace {

// The per-player values the later HD releases write: 198 without the expansions' data, 209 with it,
// and 211 from 12.50 on. Only the defaults: a blueprint may set any count.
struct ValueCountFrom {
    int release;
    std::int32_t count;
};
constexpr ValueCountFrom LateHdValueCounts[] = {{1220, 198}, {1249, 209}, {1250, 211}};

std::int32_t LateHdValueCount(const RecordFormat& format)
{
    std::int32_t count = LateHdValueCounts[0].count;
    for (const ValueCountFrom& from : LateHdValueCounts)
        if (format.IsHdFrom(from.release))
            count = from.count;
    return count;
}

template <class Entry>
const Entry& WalkedEntry(const CountedList<Entry>& list, int index)
{
    if (index >= static_cast<int>(list.entries.size()))
        throw std::invalid_argument("a count byte names more entries than the list holds");
    return list.entries[static_cast<std::size_t>(index)];
}

} // namespace

void PlayerBlockWriter::Write(const PlayerBlueprint& player, std::uint8_t playerCount, ByteBuilder& out, const RecordFormat& format,
                              std::int32_t computerTypeCount)
{
    PlayerBlockWriter writer(player, out, format, computerTypeCount);
    writer.WriteIdentity(playerCount);
    writer.WriteState(playerCount);
    writer.WriteCountedLists();
    if (player.kind == PlayerKind::Computer) {
        writer.WriteComputerStretch();
    } else {
        out.Skip(BeforeNatureStretch);
        if (player.kind == PlayerKind::Nature)
            out.Skip(NatureStretch);
        out.Skip(AfterNatureStretch);
    }
    writer.WriteObjectTypes();
    writer.WriteUnitCounts();
    writer.WriteObjectGroups();
    writer.WriteTrailing();
    out.Skip(UnitListLayout::BlockEnd);
}

void PlayerBlockWriter::WriteStances(std::uint8_t playerCount)
{
    if (m_player.stances.empty()) {
        m_out.Skip(playerCount + AfterDiplomacyStances);
        return;
    }
    if (m_player.stances.size() != playerCount)
        throw std::invalid_argument("a block holds one stance for each player");
    m_out.Skip(BeforeDiplomacyStances);
    m_out.Bytes(m_player.stances);
    m_out.Skip(AfterDiplomacyStances - BeforeDiplomacyStances);
}

std::int32_t PlayerBlockWriter::ValueCount() const
{
    if (m_player.valueCount)
        return *m_player.valueCount;
    if (m_format.IsLateHd())
        return LateHdValueCount(m_format);
    // UserPatch: 198 in 1.4, 240 in 1.5.
    return m_format.IsUserPatch15() ? 240 : 198;
}

// The stretch between the colour and the kind grows with the later HD releases.
std::int64_t PlayerBlockWriter::StretchBeforeKind() const
{
    if (!m_format.IsHd())
        return BetweenColourAndKind;
    std::int64_t size = HdBetweenColourAndKind;
    for (const LateHdBlockLayout::KindOffset& release : LateHdBlockLayout::BetweenColourAndKind)
        if (m_format.IsHdFrom(release.from))
            size = release.size;
    return size;
}

void PlayerBlockWriter::WriteIdentity(std::uint8_t playerCount)
{
    WriteStances(playerCount);
    m_out.String16(m_player.name);
    if (m_format.IsLaterUserPatch() || m_format.IsLateHd()) {
        // The per-player values, counted, and one entry per saved view.
        const std::int32_t values = ValueCount();
        m_out.Skip(BeforeValueCount);
        m_out.I32(values);
        m_out.Skip(AfterValueCount);
        m_out.Skip(CountedValueSize * std::int64_t{values} + AfterResourceValues);
        m_out.I32(m_player.resourceExtraFlag);
        if (m_player.resourceExtraFlag > 0)
            m_out.SkipSigned32(SavedViewSize * std::int64_t{m_player.resourceExtraFlag});
    } else {
        m_out.Skip(ResourceAmounts);
        m_out.I32(m_player.resourceExtraFlag);
        if (m_player.resourceExtraFlag > 0)
            m_out.Skip(ResourceExtra);
    }
    m_out.Skip(BeforeCivilization);
    m_out.U8(m_player.civilization);
    m_out.Skip(BetweenCivilizationAndColour);
    m_out.U8(m_player.colour);
    m_out.Skip(StretchBeforeKind());
    m_out.U8(m_player.kind);
    m_out.Skip(AfterKind);
    if (m_format.IsUserPatch())
        m_out.Skip(UserPatchAfterKind);
}

void PlayerBlockWriter::WriteState(std::uint8_t playerCount)
{
    m_out.I32(m_player.stateEntries);
    m_out.SkipSigned32(StateEntrySize * m_player.stateEntries + StateEntriesEnd);
    m_out.Skip(AfterStateEntries);
    m_out.I32(m_player.wideFlag);
    if (m_format.IsLaterUserPatch())
        m_out.SkipSigned32(NarrowStateStretch + StateStretchEntrySize * std::int64_t{m_player.wideFlag});
    else
        m_out.Skip(m_player.wideFlag != 0 ? WideStateStretch : NarrowStateStretch);
    m_out.Skip(BeforeListCounts);
    if (m_format.IsHdFrom(LateHdBlockLayout::BeforeListCountsFrom))
        m_out.Skip(LateHdBlockLayout::BeforeListCountsExtra);
    if (m_format.IsHdFrom(LateHdBlockLayout::PerPlayerBeforeListCountsFrom))
        m_out.Skip(playerCount);
}

void PlayerBlockWriter::WriteCountTriples(const CountTripleEntry& entry)
{
    for (std::int8_t count : entry.counts) {
        m_out.I8(count);
        m_out.SkipSigned32(CountedValueSize * std::int64_t{count});
    }
}

void PlayerBlockWriter::WriteCountedLists()
{
    m_out.U8(m_player.firstList.StoredByte());
    m_out.U8(m_player.secondList.StoredByte());
    m_out.U8(m_player.thirdList.StoredByte());
    m_out.U8(m_player.fourthList.StoredByte());
    m_out.Skip(AfterListCounts);
    // Later releases read the four counts unsigned.
    const bool unsignedCounts = m_format.IsLaterUserPatch() || m_format.IsLateHd();
    for (int i = 0; i < m_player.firstList.WalkedCount(unsignedCounts); ++i) {
        m_out.Skip(FirstListEntryHead);
        WriteCountTriples(WalkedEntry(m_player.firstList, i));
        m_out.Skip(FirstListEntryTail);
    }
    for (int i = 0; i < m_player.secondList.WalkedCount(unsignedCounts); ++i) {
        m_out.Skip(SecondListEntryHead);
        WriteCountTriples(WalkedEntry(m_player.secondList, i));
        m_out.Skip(SecondListEntryTail);
    }
    for (int i = 0; i < m_player.thirdList.WalkedCount(unsignedCounts); ++i) {
        m_out.Skip(ThirdListEntryHead);
        const std::int8_t count = WalkedEntry(m_player.thirdList, i).count;
        m_out.I8(count);
        if (count > 0)
            m_out.Skip(ThirdListEntryExtra);
        // Whatever the count says: real records hold entries with counts <= 0 followed by these bytes.
        m_out.Skip(ThirdListEntryTail);
    }
    for (int i = 0; i < m_player.fourthList.WalkedCount(unsignedCounts); ++i) {
        m_out.Skip(FourthListEntryHead);
        WriteCountTriples(WalkedEntry(m_player.fourthList, i));
        m_out.Skip(FourthListEntryTail);
    }
    m_out.Skip(AfterLists);
}

void PlayerBlockWriter::WriteComputerStretch()
{
    // HD from 12.34 holds the AI's state right after the lists, with nothing fixed before it.
    if (!m_format.IsHdFrom(LateHdBlockLayout::ComputerSearchAfterListsFrom)) {
        m_out.Skip(ComputerBeforeValues);
        m_out.I32(m_player.computerEntries);
        m_out.SkipSigned32(CountedValueSize * std::int64_t{m_player.computerEntries});
        m_out.Skip(ComputerAfterValues);
        for (const std::string& text : m_player.computerStrings)
            m_out.String32(text);
        m_out.Skip(ComputerBeforeSearch);
    }
    // What the game stores here cannot be walked; the reader searches for the object table marker,
    // lands one byte before it and passes the two bytes the other kinds pass. The byte before is the
    // marker's first byte too, so a search that does not re-test the byte that broke a partial match
    // misses the marker.
    m_out.Bytes(m_player.computerJunk);
    m_out.U8(ObjectTableMarker[0]);
    m_out.U8(ObjectTableMarker[0]);
    if (m_player.objectTypes.size() > static_cast<std::size_t>(m_computerTypeCount))
        throw std::invalid_argument("a computer player's type table holds more entries than it is searched by");
}

void PlayerBlockWriter::WriteObjectTypes()
{
    std::vector<ObjectTypeEntry> entries = m_player.objectTypes;
    if (m_player.kind == PlayerKind::Computer)
        entries.resize(static_cast<std::size_t>(m_computerTypeCount), ObjectTypeEntry{0});
    m_out.I32(static_cast<std::int32_t>(entries.size()));
    for (const ObjectTypeEntry& entry : entries)
        m_out.I32(entry.presence);
    m_out.Skip(UnitListLayout::AfterPresence);
    for (const ObjectTypeEntry& entry : entries) {
        if (entry.presence == 0)
            continue;
        WriteObjectTypeEntry(entry);
        if (!IsObjectTypeTableKind(entry.recordKind))
            break; // the reader abandons the table here
    }
    m_out.Skip(UnitListLayout::AfterTable);
}

void PlayerBlockWriter::WriteObjectTypeEntry(const ObjectTypeEntry& entry)
{
    using namespace TypeEntryLayout;
    const std::uint8_t kind = entry.recordKind;
    m_out.Skip(BeforeKind);
    m_out.U8(kind);
    if (!IsObjectTypeTableKind(kind))
        return;
    const bool wide = m_format.IsUserPatch15();
    m_out.Skip(wide ? WideTypeEntry::Head : Head);
    if (kind > ObjectKind::Decoration)
        m_out.Skip(AnimatedExtra);
    if (kind > ObjectKind::Doppelganger)
        m_out.Skip(MovingExtra);
    if (kind > ObjectKind::Moving) {
        m_out.Skip(BeforeLists);
        m_out.I16(entry.firstListCount);
        m_out.SkipSigned32(ListValueSize * std::int64_t{entry.firstListCount});
        m_out.I16(entry.secondListCount);
        m_out.SkipSigned32(ListValueSize * std::int64_t{entry.secondListCount});
        m_out.Skip(TypeEntryLayout::AfterLists);
        if (kind > ObjectKind::Projectile)
            m_out.Skip(LivingStretch);
        if (kind == ObjectKind::Projectile || kind == ObjectKind::Living)
            m_out.Skip(ProjectileOrLivingTail);
        if (kind == ObjectKind::Building)
            m_out.Skip(BuildingTail);
        if (wide && kind == ObjectKind::Living)
            m_out.Skip(WideTypeEntry::LivingExtra);
        if (wide && kind == ObjectKind::Building)
            m_out.Skip(WideTypeEntry::BuildingExtra);
    }
    m_out.Skip(End);
}

void PlayerBlockWriter::WriteUnitCounts()
{
    m_out.I32(m_player.gridRows);
    m_out.I32(m_player.gridColumns);
    m_out.Skip(UnitListLayout::BeforeGrid);
    m_out.SkipSigned32((m_format.IsHd() ? HdVisibilityTileSize : UnitListLayout::VisibilityTileSize) * std::int64_t{m_player.gridRows}
                       * m_player.gridColumns);

    m_out.I32(static_cast<std::int32_t>(m_player.unitCounts.size()));
    for (std::int32_t count : m_player.unitCounts) {
        m_out.Skip(UnitListLayout::BeforeUnitCount);
        m_out.I32(count);
    }
    for (std::int32_t count : m_player.unitCounts)
        for (std::int32_t unit = 0; unit < count; ++unit)
            m_out.Skip(m_format.IsHd() ? HdUnitEntrySize : UnitEntrySize);
    m_out.Skip(UnitListLayout::AfterUnits);
}

void PlayerBlockWriter::WriteObjectGroups()
{
    for (const ObjectGroup& group : m_player.groups) {
        if (group.mark == EndOfObjectGroups)
            throw std::invalid_argument("a group mark of 2 ends the groups");
        m_out.I32(group.mark);
        m_out.Skip(UnitListLayout::AfterGroupMark);
        for (const ObjectRecordBlueprint& object : group.objects)
            ObjectRecordWriter::Write(object, m_out, m_format);
        m_out.U8(0);
        m_out.Skip(UnitListLayout::AfterGroup);
    }
    m_out.I32(EndOfObjectGroups);
    m_out.Skip(UnitListLayout::AfterGroupMark);
}

void PlayerBlockWriter::WriteTrailing()
{
    for (std::uint8_t entry : m_player.trailing) {
        if (entry == 0)
            throw std::invalid_argument("a 0 ends the trailing list");
        m_out.U8(entry);
        m_out.Skip(UnitListLayout::TrailingEntrySize);
    }
    m_out.U8(0);
}

} // namespace Mgx
