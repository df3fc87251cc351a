#pragma once

#include <cstdint>

namespace Mgx {

// Layout facts the reader walks by and the writer writes by. Each is stated here once, so that the
// two cannot drift apart: a record the writer makes is read back exactly when both follow this file.

// The two int32 fields before the compressed header block: headerEnd and nextChapterPos.
constexpr std::int64_t LeadingFieldsSize = 8;

// The header block begins with the version text, NUL-padded to this size, then the float save version.
constexpr std::int64_t VersionTextSize = 8;

// Save versions that tell the games apart; stored as floats, so compared with a tolerance.
namespace SaveVersion {
constexpr float Tolerance = 0.005f;
constexpr float Conquerors = 11.76f; // also UserPatch 1.2
constexpr float HdFirst = 11.97f;
constexpr float HdLater = 12.10f;
// HD releases at or above this also change the sizes the later rules name.
constexpr float HdLaterFrom = 12.00f;
constexpr float HdSettingsBlockFrom = 12.36f;
constexpr float DefinitiveFrom = 12.97f;
constexpr float DefinitiveMarker = -1.0f;
} // namespace SaveVersion

// UserPatch stores the population limit divided by this.
constexpr std::int32_t UserPatchPopulationUnit = 25;

// Where UserPatch 1.4 and 1.5 records differ in the settings, map and scenario part of the header.
namespace LaterUserPatchLayout {
// The end of the AI block: this many bytes, then a run of zero bytes that usually follows at once
// but sometimes after more data; the block ends with the run.
constexpr std::int64_t AiBlockTail = 1448;
constexpr std::int64_t AiBlockZeroRun = 4096;
// The game settings: a game clock (the speed, for a game recorded from its start) and four bytes
// come before the speed.
constexpr std::int64_t BeforeGameSpeed = 8;
constexpr std::int64_t AfterGameSpeed = 29;
// UserPatch 1.5 stores four bytes per tile: a marker, terrain, elevation and one byte more; the
// middle two are the terrain the model keeps.
constexpr std::int64_t WideTileSize = 4;
constexpr std::int64_t WideTileTerrainOffset = 1;
// After the map: the restore time and a counted list of particles, then a few bytes.
constexpr std::int64_t ParticleSize = 27;
constexpr std::int64_t AfterParticles = 5;
// The scenario's per-player stretch holds two counted lists of 44-byte entries.
constexpr std::int64_t BeforeFirstList = 3;
constexpr std::int64_t BetweenLists = 21;
constexpr std::int64_t ListEntrySize = 44;
constexpr std::int64_t AfterSecondList = 1785;
// Restored games: the scenario version 1.22 as a float, 24 bytes after where the scenario part
// resumes, and the double 1.6 that ends the stretch before the victory settings, which begin 117
// bytes before it.
constexpr std::uint8_t ScenarioVersionMarker[] = {0xF6, 0x28, 0x9C, 0x3F};
constexpr std::int64_t ScenarioVersionOffset = 24;
constexpr std::uint8_t VictoryStretchMarker[] = {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xF9, 0x3F};
constexpr std::int64_t VictoryStretchOffset = 117;
} // namespace LaterUserPatchLayout

// Where HD records (and the later HD rules, from save version 12.00) differ from The Conquerors in
// the settings, map and scenario part of the header.
namespace HdHeaderLayout {
constexpr std::int64_t LaterAiRuleSize = 784; // The Conquerors: 400
constexpr std::int64_t AfterAiBlock = 1280;
// Each map zone holds two bytes per tile and this many more (The Conquerors: one byte and 1275).
constexpr std::int64_t ZoneExtra = 2048;
constexpr std::int64_t LaterBeforeMapIdExtra = 4;
constexpr std::int64_t LobbyStretch = 2459; // The Conquerors: 1655
// A text length that means "no text".
constexpr std::uint32_t NoText = 0xFFFFFFFF;
constexpr std::int64_t LaterTriggerEffectHead = 76; // The Conquerors: 72
constexpr std::int64_t LaterTriggerConditionSize = 84; // The Conquerors: 76
// After the lock flag: the treaty length byte and one int32.
constexpr std::int64_t AfterLockFlag = 5;
} // namespace HdHeaderLayout

// One player data block of the header, in the order the bytes come.
namespace PlayerBlockLayout {
// A diplomacy stance towards every player comes first; these bytes follow the stances.
constexpr std::int64_t AfterDiplomacyStances = 42;
// The resource amounts between the name and the int32 whose positive value adds ResourceExtra.
constexpr std::int64_t ResourceAmounts = 798 + 9;
constexpr std::int64_t ResourceExtra = 8;
constexpr std::int64_t BeforeCivilization = 5;
constexpr std::int64_t BetweenCivilizationAndColour = 2 + 1;
constexpr std::int64_t BetweenColourAndKind = 4138 + 1 + 1;
constexpr std::int64_t AfterKind = 46;
// An int32 count of state entries, then the entries and a few bytes more.
constexpr std::int64_t StateEntrySize = 14;
constexpr std::int64_t StateEntriesEnd = 2;
constexpr std::int64_t AfterStateEntries = 1;
// An int32 that selects the length of the stretch after it.
constexpr std::int64_t WideStateStretch = 206;
constexpr std::int64_t NarrowStateStretch = 202;
constexpr std::int64_t BeforeListCounts = 210 + 41 + 128;
// Four signed count bytes, these bytes, then the four lists.
constexpr std::int64_t AfterListCounts = 4;
// Entries of the first, second and fourth list: bytes before and after three signed counts of int32 values.
constexpr std::int64_t FirstListEntryHead = 5;
constexpr std::int64_t FirstListEntryTail = 110;
constexpr std::int64_t SecondListEntryHead = 5;
constexpr std::int64_t SecondListEntryTail = 103;
constexpr std::int64_t FourthListEntryHead = 9;
constexpr std::int64_t FourthListEntryTail = 96;
// An entry of the third list: a head, a signed count byte whose positive value adds the extra, a tail.
constexpr std::int64_t ThirdListEntryHead = 97;
constexpr std::int64_t ThirdListEntryExtra = 4;
constexpr std::int64_t ThirdListEntryTail = 16;
constexpr std::int64_t AfterLists = 1;

// What only a computer player's block holds after the lists: a counted run of int32 values, three
// texts and a stretch, then data that cannot be walked. The object type table is found again by
// its marker: a byte 11, then the int32 type count.
constexpr std::int64_t ComputerBeforeValues = 4;
constexpr std::int64_t ComputerAfterValues = 8;
constexpr std::int64_t ComputerBeforeSearch = 780;
constexpr std::int32_t ComputerObjectTypeCount = 866;
constexpr std::uint8_t ObjectTableMarker[] = {0x0B, 0x62, 0x03, 0x00, 0x00};

// Around the nature player's own stretch: one byte before and one after, for every kind.
constexpr std::int64_t BeforeNatureStretch = 1;
// A stretch only the nature player's block holds: the human and nature blocks differ by it.
constexpr std::int64_t NatureStretch = 452;
constexpr std::int64_t AfterNatureStretch = 1;

// UserPatch 1.2 and HD change a few of the stretches above.
constexpr std::int64_t HdBetweenColourAndKind = 4340;
// UserPatch 1.2: a block of its own after the bytes that follow the kind.
constexpr std::int64_t UserPatchAfterKind = 8176;
// UserPatch 1.4 and later: a byte, the int32 count of per-player values, a byte, then the values,
// in place of the resource amounts' first 798 bytes; and one 8-byte entry per saved view.
constexpr std::int64_t BeforeValueCount = 1;
constexpr std::int64_t AfterValueCount = 1;
constexpr std::int64_t AfterResourceValues = 9;
constexpr std::int64_t SavedViewSize = 8;
constexpr std::int64_t StateStretchEntrySize = 4;
// Restored games: the end of a block's name is found again by the NUL that ends it, the byte
// 0x16, the int32 value count and the byte 0x21; the name's length is at most this.
constexpr std::uint8_t NameEndByte = 0x16;
constexpr std::uint8_t AfterValueCountByte = 0x21;
constexpr int LongestRestoredName = 256;
// HD: the visibility grid holds two bytes per tile, the unit lists 12 bytes per unit (else 8).
constexpr std::int64_t HdVisibilityTileSize = 2;
constexpr std::int64_t UnitEntrySize = 8;
constexpr std::int64_t HdUnitEntrySize = 12;
} // namespace PlayerBlockLayout

// UserPatch 1.5: every object type table entry holds more bytes, living and building types more still.
namespace WideTypeEntry {
constexpr std::int64_t Head = 53; // else 36
constexpr std::int64_t LivingExtra = 23;
constexpr std::int64_t BuildingExtra = 31;
} // namespace WideTypeEntry

// The record kind of an object: what the object is. It decides how many stretches its record and
// its object type table entry hold.
namespace ObjectKind {
constexpr std::uint8_t Decoration = 10; // its record ends after the placement
constexpr std::uint8_t Animated = 20;   // ends after the motion stretch
constexpr std::uint8_t Doppelganger = 25;
constexpr std::uint8_t Moving = 30; // ends after the path stretch
constexpr std::uint8_t Projectile = 60;
constexpr std::uint8_t Living = 70; // has no closing 127 bytes
constexpr std::uint8_t Building = 80;
} // namespace ObjectKind

// The kinds an object type table holds; any other kind ends the table.
constexpr bool IsObjectTypeTableKind(std::uint8_t kind)
{
    switch (kind) {
    case ObjectKind::Decoration: case ObjectKind::Animated: case ObjectKind::Doppelganger: case ObjectKind::Moving:
    case ObjectKind::Projectile: case ObjectKind::Living: case ObjectKind::Building:
        return true;
    default:
        return false;
    }
}

// The int32 before a group of object records; this one ends the groups.
constexpr std::int32_t EndOfObjectGroups = 2;

// The body: logVersion, a prefix the scan passes over, then operations, each led by its int32 type.
namespace BodyLayout {
constexpr std::int64_t PrefixSize = 24;
// The prefix's first int32; the repair finds the body by it.
constexpr std::int32_t FirstPrefixValue = 500;
// No game takes a step this long (in milliseconds): a body whose time steps do was damaged.
constexpr std::uint32_t LongestTimeStep = 3600000;
// A time step: type, delta, then a count of int32 values; a count of 0 means this many bytes.
constexpr std::int64_t EmptyTimeStepTail = 16;
constexpr std::int64_t ViewLockSize = 24;
// A chat operation whose sender field holds this is a player's line; others are this long.
constexpr std::int32_t ChatFromPlayer = -1;
constexpr std::int64_t OtherChatSize = 20;
} // namespace BodyLayout

namespace OperationType {
constexpr std::int32_t Sync = 0;
constexpr std::int32_t Command = 1;
constexpr std::int32_t TimeStep = 2;
constexpr std::int32_t ViewLock = 3;
constexpr std::int32_t Chat = 4;
} // namespace OperationType

// The first data byte of a command operation.
namespace CommandByte {
constexpr std::uint8_t Resign = 0x0B;
constexpr std::uint8_t Research = 0x65;
} // namespace CommandByte

// Technologies whose research the body scan reports as the start of an age.
namespace AgeTechnology {
constexpr std::uint16_t Feudal = 101;
constexpr std::uint16_t Castle = 102;
constexpr std::uint16_t Imperial = 103;
} // namespace AgeTechnology

} // namespace Mgx
