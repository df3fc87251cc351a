#pragma once

#include <cstddef>
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
// Where the later HD families and the Definitive Edition begin: halfway between the save versions
// the releases wrote, so that a release between two known ones follows the one below it.
constexpr float HdBeforeSettingsFrom = 12.115f;
constexpr float HdSettingsBlockFrom = 12.355f;
constexpr float DefinitiveFrom = 12.965f;
constexpr float DefinitiveMarker = -1.0f;
// The Definitive Edition's version is 16.16 fixed point; one release stored a whole number below this.
constexpr std::uint32_t DefinitiveWholeBelow = 1000;
constexpr double DefinitiveFixedPointUnit = 65536.0;
} // namespace SaveVersion

// The AI block, present when the int32 after the save version is not 0: script names, eight rule
// sets, then the AI's fixed tables.
namespace AiBlockLayout {
constexpr std::int64_t BeforeStringCount = 2;
constexpr std::int64_t AfterStringCount = 4;
constexpr std::int64_t AfterStrings = 6;
constexpr int RuleSets = 8;
// Each set: an int32 flag, these bytes, an int16 rule count, these bytes, and the rules when flagged.
constexpr std::int64_t AfterRuleFlag = 6;
constexpr std::int64_t AfterRuleCount = 4;
constexpr std::int64_t RuleSize = 400;
// After the rules: one int32, then the AI's tables of fixed size.
constexpr std::int64_t BeforeTables = 4;
constexpr std::int64_t Tables = 5540;
} // namespace AiBlockLayout

// The game settings and the map, which follow the AI block.
namespace SettingsLayout {
constexpr std::int64_t BeforeGameSpeed = 4;
constexpr std::int64_t AfterGameSpeed = 37;
// After the player count, up to the map's width and height.
constexpr std::int64_t AfterPlayerCount = 62;
} // namespace SettingsLayout

namespace MapLayout {
// Each map zone holds a byte per tile and this many more, then a counted run of int32 values and one int32 more.
constexpr std::int64_t ZoneExtra = 1275;
constexpr std::int64_t ZoneValueSize = 4;
constexpr std::int64_t AfterZoneValues = 4;
constexpr std::int64_t BeforeTerrain = 2;
// Terrain id and elevation.
constexpr std::int64_t TileSize = 2;
// A counted table of int32 values and one int32 more, then one counted list of 8-byte items per entry.
constexpr std::int64_t EntryValueSize = 4;
constexpr std::int64_t AfterEntryValues = 4;
constexpr std::int64_t EntryItemSize = 8;
// A grid of int32 values, its rows and columns stored before it.
constexpr std::int64_t GridValueSize = 4;
// What follows the grid, before the first player block.
constexpr std::int64_t AfterGrid = 13;
} // namespace MapLayout

// The scenario, from the end of the player blocks to the map id.
namespace ScenarioLayout {
// One stretch for every player block after the nature player's.
constexpr std::int64_t PlayerStretch = 1817;
// From the scenario's start to its file name, and from there to the instructions.
constexpr std::int64_t BeforeFileName = 4453;
constexpr std::int64_t BeforeInstructions = 24;
// Hints, victory, loss, history and scout texts after the instructions.
constexpr int OtherTexts = 9;
// An int32 flag and these bytes; a set flag adds ten int32 values, the ninth counting int32s
// that follow and the sixth a byte length.
constexpr std::int64_t AfterBlockFlag = 10;
constexpr std::size_t BlockValues = 10;
constexpr std::size_t BlockCountValue = 8;
constexpr std::size_t BlockLengthValue = 5;
constexpr std::int64_t BlockCountedValueSize = 4;
constexpr std::int64_t AfterBlock = 64;
// Sixteen file names, then sixteen stored blobs, each after 8 bytes and a uint32 length.
constexpr int FileNames = 16;
constexpr int Blobs = 16;
constexpr std::int64_t BeforeBlob = 8;
// The fixed run before the map id (18 460 bytes).
constexpr std::int64_t BeforeMapId = 408 + 40 + 12548 + 5456 + 8;
} // namespace ScenarioLayout

// The lobby: map id, difficulty, the nine slots and a counted list of entries.
namespace LobbyLayout {
constexpr std::int64_t BeforeSlots = 4;
// After the slots, before the counted entries.
constexpr std::int64_t AfterSlots = 1655;
// Each entry: an int32, a counted list of 12-byte items, 20 bytes.
constexpr std::int64_t EntryHead = 4;
constexpr std::int64_t EntryItemSize = 12;
constexpr std::int64_t EntryTail = 20;
constexpr std::int64_t AfterEntries = 4 + 4;
} // namespace LobbyLayout

namespace VictoryLayout {
constexpr std::int64_t BeforeVictoryValue = 9;
constexpr std::int64_t AfterVictoryValue = 108 + 1;
} // namespace VictoryLayout

// The triggers: a counted list of entries, each with two texts, counted effects and counted conditions.
namespace TriggerLayout {
constexpr std::int64_t EntryHead = 18;
constexpr std::int64_t EffectHead = 24;
// Between an effect's value count and its two texts.
constexpr std::int64_t EffectBody = 72;
constexpr std::int64_t ConditionSize = 76;
// One int32 per effect after the effects, one per entry after the entries, one per effect value.
constexpr std::int64_t OrderEntrySize = 4;
} // namespace TriggerLayout

// After the triggers: the team bytes of slots 1 to 8, the reveal setting, the population limit,
// the game type and the lock flag.
namespace TeamsLayout {
constexpr std::int64_t AfterTeams = 1;
constexpr std::int64_t AfterRevealSetting = 8;
} // namespace TeamsLayout

// Pre-game chat entries this short are the game's empty placeholders.
constexpr std::uint32_t LongestEmptyChatEntry = 3;

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
constexpr std::int64_t ZoneTileSize = 2;
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

// The later HD releases, by save version in hundredths: what each changes on top of the one before.
namespace LateHdLayout {
// The AI block ends 4 bytes later from 12.31 on.
constexpr int AiBlockTailFrom = 1231;
constexpr std::int64_t AiBlockTail = 4;
// The replay block from 12.50 on: the int32 speed is 0, and a float 20 bytes after its start
// holds the speed (1.5 for normal, shown as 150).
constexpr int SpeedAsFloatFrom = 1250;
constexpr std::int64_t BeforeSpeedFloat = 16;
constexpr double SpeedFloatScale = 100;
// The fixed run before the map id (HD from 12.00: 18 464).
constexpr int BeforeMapIdFrom1231 = 1231;
constexpr std::int64_t BeforeMapId1231 = 18544;
constexpr int BeforeMapIdFrom1234 = 1234;
constexpr std::int64_t BeforeMapId1234 = 19184;
// The lobby stretch after the slots (HD: 2459).
constexpr int LongerLobbyFrom = 1249;
constexpr std::int64_t LongerLobbyStretch = 2463;
// From 12.31 on no byte lies between the team bytes and the reveal setting.
constexpr int NoByteAfterTeamsFrom = 1231;
// From 12.34 on a scenario block flag of 3 comes without a picture.
constexpr int PicturelessFlagFrom = 1234;
constexpr std::int32_t PicturelessFlag = 3;
} // namespace LateHdLayout

// The later HD releases' player blocks and object records.
namespace LateHdBlockLayout {
// The stretch between the colour and the kind, by release (HD 11.97 and 12.10: 4340).
struct KindOffset {
    int from;
    std::int64_t size;
};
constexpr KindOffset BetweenColourAndKind[] = {
    {1220, 4342}, {1234, 5342}, {1236, 5351}, {1249, 5355}, {1250, 6155},
};
// Before the four list counts: 2 more bytes from 12.34, and from 12.50 one more per player.
constexpr int BeforeListCountsFrom = 1234;
constexpr std::int64_t BeforeListCountsExtra = 2;
constexpr int PerPlayerBeforeListCountsFrom = 1250;
// A computer player's block is searched from right after the lists from 12.34 on.
constexpr int ComputerSearchAfterListsFrom = 1234;
// Object records: the placement holds 4 more bytes from 12.49 on.
constexpr int LongerPlacementFrom = 1249;
constexpr std::int64_t LongerAfterResourceKind = 25;
// From 12.50 an empty sprite list (the placement's last byte 1, sprite state 0) ends without the
// stretch that closes a list with an entry.
constexpr int EmptySpriteListFrom = 1250;
constexpr std::uint8_t EmptySpriteListMark = 1;
} // namespace LateHdBlockLayout

// The settings block of HD 4.6 and later, between the save version and the AI block. Its texts
// are a uint16 length, the two bytes 60 0A and the text; separators are the four bytes A3 5F 02 00.
namespace HdSettingsLayout {
constexpr std::uint8_t TextMark[] = {0x60, 0x0A};
constexpr std::uint8_t Separator[] = {0xA3, 0x5F, 0x02, 0x00};
// The settings versions whose layouts differ: 4.6/4.7, 4.8, 5.0-5.6, 5.7/5.8.
constexpr int Version46 = 1000;
constexpr int Version48 = 1004;
constexpr int Version50 = 1005;
constexpr int Version57 = 1006;
constexpr std::int64_t AfterVersion = 8;
constexpr std::int64_t DlcIdSize = 4;
constexpr std::int64_t AfterPlayerCount = 8;
constexpr std::int64_t Flags = 16;
// HD 4.6/4.7 has no player list: these stretches and eight texts end the block.
constexpr std::int64_t Old46Head = 120;
constexpr std::int64_t Old46BeforeTexts = 40;
constexpr int Old46Texts = 8;
constexpr std::int64_t Old46AfterTexts = 16;
constexpr std::int64_t Old46End = 10;
// Later versions: eight slots.
constexpr int Slots = 8;
constexpr std::int64_t SlotHead = 4;
constexpr std::int64_t AfterColour = 7;
constexpr std::int64_t Version57AfterColour = 1;
constexpr std::int64_t AfterAiType = 1;
constexpr std::int64_t SteamIdSize = 8;
constexpr std::int64_t Ratings = 8;
// After the slots.
constexpr std::int64_t AfterSlots = 12;
constexpr std::int64_t BeforeVisibility = 2;
constexpr std::int64_t AfterVisibility = 4;
constexpr int FileTexts = 3; // the scenario file, the map script, its scenario
constexpr std::int64_t AfterFileText = 8;
constexpr std::int64_t Guid = 16;
constexpr std::int64_t AfterModName = 4;
constexpr std::int64_t Version50Tail = 4;
} // namespace HdSettingsLayout

// One player data block of the header, in the order the bytes come.
namespace PlayerBlockLayout {
// The size of the int32 values the block's counted runs hold.
constexpr std::int64_t CountedValueSize = 4;
// One byte, then the player's diplomacy stance towards every player (one byte each, by player
// index); AfterDiplomacyStances counts that first byte and the bytes after the stances.
constexpr std::int64_t BeforeDiplomacyStances = 1;
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

// A player block's object type table: an entry's head, a few more bytes for kinds beyond the
// decoration and beyond the doppelganger, and for kinds beyond the moving object two counted
// int32 lists between fixed stretches.
namespace TypeEntryLayout {
// A byte before the entry's record kind.
constexpr std::int64_t BeforeKind = 1;
constexpr std::int64_t Head = 36;
constexpr std::int64_t AnimatedExtra = 4;
constexpr std::int64_t MovingExtra = 4;
constexpr std::int64_t BeforeLists = 10;
constexpr std::int64_t ListValueSize = 4;
constexpr std::int64_t AfterLists = 26;
constexpr std::int64_t LivingStretch = 24;
constexpr std::int64_t ProjectileOrLivingTail = 1;
constexpr std::int64_t BuildingTail = 3;
constexpr std::int64_t End = 1;
} // namespace TypeEntryLayout

// Around the object type table and the unit lists that follow it in each player block.
namespace UnitListLayout {
// A byte after the presence values and one after the entries.
constexpr std::int64_t AfterPresence = 1;
constexpr std::int64_t AfterTable = 1;
// The visibility grid's rows and columns, these bytes, then a byte per tile.
constexpr std::int64_t BeforeGrid = 6;
constexpr std::int64_t VisibilityTileSize = 1;
// A counted list of (int32, int32 unit count) pairs, then the units.
constexpr std::int64_t BeforeUnitCount = 4;
constexpr std::int64_t AfterUnits = 2;
// The object groups: an int32 group mark and 3 bytes before each group, 2 after its closing 0;
// then a list of 106-byte entries ended by a 0, and 2 bytes that end the block.
constexpr std::int64_t AfterGroupMark = 3;
constexpr std::int64_t AfterGroup = 2;
constexpr std::int64_t TrailingEntrySize = 106;
constexpr std::int64_t BlockEnd = 2;
} // namespace UnitListLayout

// One object record, in the order the bytes come. Each kind ends its record at its own stretch:
// decorations after the placement, animated objects after the sprite state, moving objects after
// the path, all others after the combat, action and tail stretches.
namespace ObjectRecordLayout {
// The placement: owner, type id, these bytes, x and y, these bytes, the resource kind and these.
constexpr std::int64_t BeforePosition = 19;
constexpr std::int64_t BeforeResourceKind = 12;
constexpr std::int64_t AfterResourceKind = 18;
constexpr std::int64_t HdAfterResourceKind = 21; // the worker count is an int32
// The sprite state byte selects the stretch after it.
constexpr std::int64_t SpriteStateNone = 4;
constexpr std::int64_t SpriteStateOne = 8;
constexpr std::int64_t SpriteStateTwo = 13;
constexpr std::int64_t SpriteStateTwoAnimated = 25;
constexpr std::int64_t SpriteStateTwoOther = 12;
// The end of a sprite list with an entry: these bytes, then an int16 that selects the stretch after it.
constexpr std::int64_t BeforeSpriteEnd = 7;
constexpr std::int64_t SpriteEndNone = 4;
constexpr std::int64_t SpriteEndOne = 21;
constexpr std::int64_t SpriteEndTwo = 38;
constexpr std::int16_t SpriteEndOneKey = 256;
constexpr std::int16_t SpriteEndTwoKey = 512;
// The path: these bytes, an int32 waypoint count, these bytes, the waypoints and a trailer when
// there are any, then a fixed stretch.
constexpr std::int64_t BeforeWaypoints = 43;
constexpr std::int64_t AfterWaypointCount = 8;
constexpr std::int64_t WaypointSize = 44;
constexpr std::int64_t HdLaterWaypointSize = 48;
constexpr std::int64_t WaypointTrailer = 24;
constexpr std::int64_t AfterPath = 64;
constexpr std::int64_t HdLaterMovingEnd = 1;
// The combat stretch: these bytes, an int16 flag; a set flag adds the first action state, an
// int16, the second when that is set, 4 bytes, and 4 more for the three types that carry them.
constexpr std::int64_t BeforeCombatFlag = 4;
constexpr std::int64_t HdBeforeCombatFlag = 6;
constexpr std::int64_t HdLaterBeforeCombatFlag = 7;
constexpr std::int64_t FirstActionState = 37;
constexpr std::int64_t SecondActionState = 47;
// UserPatch stores each action's state as an int32 rather than a byte.
constexpr std::int64_t UserPatchFirstActionState = 40;
constexpr std::int64_t UserPatchSecondActionState = 50;
constexpr std::int64_t AfterActionStates = 4;
constexpr std::int64_t TypeExtra = 4;
constexpr std::int16_t TypesWithExtra[] = {50, 276, 199};
constexpr std::int64_t AfterCombat = 10;
// A byte that selects the length of the stretch after it.
constexpr std::int64_t CombatTailSet = 6;
constexpr std::int64_t CombatTailClear = 5;
// The current action: a flag byte; without one 12 bytes follow, with one its kind, its length
// and a long stretch whose parts depend on both.
constexpr std::int64_t NoAction = 12;
constexpr std::int64_t ActionHead = 10 + 71;
constexpr std::int64_t AfterActionTailKind = 2;
constexpr std::int64_t LivingActionExtra = 70;
constexpr std::int64_t BuildingActionExtra = 85;
constexpr std::int64_t ActionBody = 67;
constexpr std::int64_t ActionValueSize = 4;
constexpr std::int64_t AfterActionValues = 118;
constexpr std::int8_t LongActionTail = 3;
constexpr std::int8_t ShortActionTail = 4;
constexpr std::int64_t LongActionTailSize = 97;
constexpr std::int64_t ShortActionTailSize = 15;
constexpr std::int64_t AfterAction = 11;
// The unit AI: an int32 flag; clear, one byte follows; set, a stretch, an int32 flag adding 24
// bytes, and a tail (HD: 4 bytes more).
constexpr std::int64_t NoUnitAi = 1;
constexpr std::int64_t UnitAiHead = 112;
constexpr std::int64_t UnitAiExtra = 24;
constexpr std::int64_t UnitAiTail = 53;
constexpr std::int64_t HdUnitAiTail = 57;
constexpr std::int64_t AfterUnitAi = 30;
// Every kind but the living one closes its record with this stretch.
constexpr std::int64_t Closing = 127;
constexpr std::int64_t HdLaterClosing = 123;
} // namespace ObjectRecordLayout

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
