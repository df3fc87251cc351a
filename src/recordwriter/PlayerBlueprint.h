#pragma once

#include "ObjectRecordBlueprint.h"
#include "PlayerKind.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Mgx {

// A list whose length the block stores in one signed byte. countByte, when set, is written in its
// place; the reader then walks max(0, (int8) countByte) entries, which must be present in entries.
template <class Entry>
struct CountedList {
    std::vector<Entry> entries;
    std::optional<std::uint8_t> countByte;

    std::uint8_t StoredByte() const { return countByte ? *countByte : static_cast<std::uint8_t>(entries.size()); }
    // Later UserPatch releases read the byte unsigned.
    int WalkedCount(bool unsignedCount = false) const
    {
        const int count = unsignedCount ? int{StoredByte()} : int{static_cast<std::int8_t>(StoredByte())};
        return count > 0 ? count : 0;
    }
};

// An entry of the first, second and fourth list: three signed count bytes, each followed by that many int32 values.
struct CountTripleEntry {
    std::array<std::int8_t, 3> counts{};
};

// An entry of the third list: one signed count byte; a positive one adds 4 bytes before the 16 that always follow.
struct FlaggedEntry {
    std::int8_t count = 0;
};

// One entry of the object type table. With presence 0 nothing but the presence value is stored.
// A recordKind outside 10, 20, 25, 30, 60, 70, 80 ends the table right after its kind byte.
struct ObjectTypeEntry {
    std::int32_t presence = 1;
    std::uint8_t recordKind = 10;
    std::int16_t firstListCount = 0; // kinds beyond moving objects: counts of int32 values
    std::int16_t secondListCount = 0;
};

// A run of object records; mark is the int32 stored before it (never 2, which ends the groups).
struct ObjectGroup {
    std::int32_t mark = 0;
    std::vector<ObjectRecordBlueprint> objects;
};

// One player data block of the header, the nature player's included.
struct PlayerBlueprint {
    std::string name;         // GBK bytes; UTF-8 in the later HD releases
    // The block's stance towards each player, Gaia first (0 ally, 3 enemy): playerCount bytes, or
    // none to leave the stretch unwritten.
    std::vector<std::uint8_t> stances;
    // UserPatch 1.4 and later and the later HD releases count the per-player values; unset, the
    // count their release writes.
    std::optional<std::int32_t> valueCount;
    std::int32_t resourceExtraFlag = 0; // > 0 adds 8 bytes after it; later UserPatch: 8 per saved view
    std::uint8_t civilization = 0;
    std::uint8_t colour = 0;
    std::uint8_t kind = PlayerKind::Human; // a nature block holds a stretch more, a computer's is found again by search
    std::int32_t stateEntries = 0; // count of 14-byte entries after the kind
    std::int32_t wideFlag = 0;     // not 0: the stretch after it is 206 bytes, else 202; later UserPatch: 202 + 4 × it

    CountedList<CountTripleEntry> firstList;
    CountedList<CountTripleEntry> secondList;
    CountedList<FlaggedEntry> thirdList;
    CountedList<CountTripleEntry> fourthList;

    // Computer players only. The stretch after these cannot be walked; the reader finds its way by searching
    // for the object table marker (PlayerBlockLayout), which the writer puts right after junk. The
    // object type table of such a block therefore always has the marker's type count of entries
    // (padded with presence 0). HD from 12.34 writes neither the values nor the texts: the junk
    // stands for the AI's state, which follows the lists there.
    std::int32_t computerEntries = 0; // count of 4-byte entries
    std::array<std::string, 3> computerStrings;
    std::vector<std::uint8_t> computerJunk = {0x01, 0x0B, 0x62, 0x03, 0x00, 0x01, 0x0B, 0x02};

    std::vector<ObjectTypeEntry> objectTypes;
    std::int32_t gridRows = 0; // rows × columns bytes follow the two values
    std::int32_t gridColumns = 0;
    std::vector<std::int32_t> unitCounts; // 8 bytes per unit of each positive count
    std::vector<ObjectGroup> groups;
    std::vector<std::uint8_t> trailing; // non-zero bytes, each followed by 106 bytes; a 0 ends them
};

} // namespace Mgx
