#pragma once

#include "ObjectRecordBlueprint.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvale::test {

// A list whose length the block stores in one signed byte. countByte, when set, is written in its
// place; the reader then walks max(0, (int8) countByte) entries, which must be present in entries.
template <class Entry>
struct CountedList {
    std::vector<Entry> entries;
    std::optional<std::uint8_t> countByte;

    std::uint8_t storedByte() const { return countByte ? *countByte : static_cast<std::uint8_t>(entries.size()); }
    int walkedCount() const
    {
        const int count = static_cast<std::int8_t>(storedByte());
        return count > 0 ? count : 0;
    }
};

// An entry of lists c0, c1 and c3: three count bytes, each followed by 4 × k bytes.
struct CountTripleEntry {
    std::array<std::int8_t, 3> k{};
};

// An entry of list c2: one count byte; a positive one adds 4 bytes before the 16 that always follow.
struct FlaggedEntry {
    std::int8_t k = 0;
};

// One entry of the object type table. With presence 0 nothing but the presence value is stored.
// A recordKind outside 10, 20, 25, 30, 60, 70, 80 ends the table right after its kind byte.
struct ObjectTypeEntry {
    std::int32_t presence = 1;
    std::uint8_t recordKind = 10;
    std::int16_t a = 0; // kinds above 30: counts of 4-byte entries
    std::int16_t b = 0;
};

// A run of object records; mark is the int32 stored before it (never 2, which ends the groups).
struct ObjectGroup {
    std::int32_t mark = 0;
    std::vector<ObjectRecordBlueprint> objects;
};

// One player data block of the header, the nature player's included.
struct PlayerBlueprint {
    std::string name;         // GBK bytes
    std::int32_t flag = 0;    // > 0 adds 8 bytes after it
    std::uint8_t civilization = 0;
    std::uint8_t colour = 0;
    std::uint8_t kind = 1;    // 1 human, 2 nature (452 bytes more), 3 computer (resynchronised)
    std::int32_t stateEntries = 0; // count of 14-byte entries after the kind
    std::int32_t wideFlag = 0;     // not 0: the stretch after it is 206 bytes, else 202

    CountedList<CountTripleEntry> c0;
    CountedList<CountTripleEntry> c1;
    CountedList<FlaggedEntry> c2;
    CountedList<CountTripleEntry> c3;

    // Kind 3 only. The stretch after these cannot be walked; the reader finds its way by searching
    // for the byte 0x0B followed by the int32 866, which the writer puts right after junk. The object
    // type table of such a block therefore always has 866 entries (padded with presence 0).
    std::int32_t computerEntries = 0; // count of 4-byte entries
    std::array<std::string, 3> computerStrings;
    std::vector<std::uint8_t> computerJunk = {0x01, 0x0B, 0x62, 0x03, 0x00, 0x01, 0x0B, 0x02};

    std::vector<ObjectTypeEntry> objectTypes;
    std::int32_t gridA = 0; // a × b bytes follow the two values
    std::int32_t gridB = 0;
    std::vector<std::int32_t> unitCounts; // 8 bytes per unit of each positive count
    std::vector<ObjectGroup> groups;
    std::vector<std::uint8_t> trailing; // non-zero bytes, each followed by 106 bytes; a 0 ends them
};

// How many object type entries the table of a kind-3 block has: the int32 the search lands on.
constexpr std::int32_t ComputerTypeCount = 866;

} // namespace korvale::test
