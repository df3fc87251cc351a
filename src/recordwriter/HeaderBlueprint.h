#pragma once

#include "HdSettingsBlueprint.h"
#include "PlayerBlueprint.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Mgx {

// One of the eight rule entries of the AI block; a non-zero ruleFlag adds 400 bytes per ruleCount.
struct AiRuleEntry {
    std::int32_t ruleFlag = 0;
    std::int16_t ruleCount = 0;
};

// One lobby slot; team is stored for slots 1 to 8 only.
struct SlotBlueprint {
    std::int32_t playerNumber = 0;
    std::int32_t slotType = 0;
    std::string name;
    std::uint8_t team = 1;
};

// An item of a trigger entry: a positive valueCount adds that many int32 values.
struct TriggerItem {
    std::int32_t valueCount = 0;
    std::string first;
    std::string second;
};

// An entry of the trigger list near the end of the header.
struct TriggerEntry {
    std::string first;
    std::string second;
    std::vector<TriggerItem> items;
    std::int32_t conditionCount = 0; // count of 76-byte entries
};

// Every value the header block stores, in the order the walk meets them. The defaults give a small
// valid block: nature and two players on a 16 × 16 map.
struct HeaderBlueprint {
    std::array<std::uint8_t, 12> prefix = {'V', 'E', 'R', ' ', '9', '.', '4', 0, 0x8F, 0xC2, 0x3B, 0x41};
    // HD 4.6 and later (save versions from 12.36): written between the prefix and the AI flag.
    HdSettingsBlueprint hdSettings;
    std::int32_t aiFlag = 0;
    std::vector<std::string> aiStrings;     // written only when aiFlag != 0
    std::array<AiRuleEntry, 8> aiRules{};   // likewise
    // Later UserPatch: non-zero bytes some records hold before the zero run that ends the AI block.
    std::vector<std::uint8_t> aiBlockExtra;

    std::int32_t gameSpeed = 150; // HD from 12.50 stores it as a float (150 as 1.5)
    std::int16_t recorderNumber = 1;
    // playerCount is players.size() unless set; the reader walks that many blocks.
    std::optional<std::uint8_t> playerCount;
    std::uint32_t mapWidth = 16;
    std::uint32_t mapHeight = 16;
    std::vector<std::int32_t> zones;       // per zone: the count of 4-byte entries after its W × H + 1275 bytes
    std::vector<std::uint8_t> terrain;     // W × H × 2 bytes; empty means a generated pattern
    std::vector<std::int32_t> mapEntries;  // per entry: a count of 8-byte items
    std::int32_t mapGridRows = 0;          // 4 × rows × columns bytes follow
    std::int32_t mapGridColumns = 0;
    std::int32_t particleCount = 0;        // later UserPatch: 27-byte entries after the (zero) restore time

    std::vector<PlayerBlueprint> players;

    // Later UserPatch: per player block after the first, the two counts of 44-byte entries in its
    // scenario stretch; blocks without an entry here hold empty lists.
    std::vector<std::array<std::int32_t, 2>> playerScenarioLists;

    std::string scenarioFileName;
    std::string instructions;
    std::array<std::string, 9> scenarioTexts;
    std::int32_t blockFlag = 1;
    // With blockFlag != 0: ten values; 4 × the ninth and then the sixth (both unsigned) bytes follow.
    // HD from 12.34 writes the flag 3 with none of them.
    std::array<std::int32_t, 10> blockValues = {7, 0, 0, 0, 0, 5, 0, 0, 3, 0};
    std::array<std::string, 16> scenarioNames;
    std::array<std::string, 16> scenarioBlobs;
    std::int32_t mapId = 9;
    std::int32_t difficulty = 3;
    std::array<SlotBlueprint, 9> slots;
    std::vector<std::int32_t> lobbyEntries; // per entry: a count of 12-byte items
    std::int32_t victoryType = 0;
    std::int32_t victoryValue = 900;
    std::vector<TriggerEntry> triggers;
    std::int32_t revealSetting = 0;
    std::int32_t populationLimit = 200;
    std::uint8_t gameType = 0;
    std::uint8_t lockFlag = 1;
    std::vector<std::string> pregameChat; // every entry is stored; the reader drops those of 3 bytes or fewer
    std::vector<std::uint8_t> tail = {0x00, 0x00, 0x00, 0x00}; // after the chat; never read

    HeaderBlueprint();
    // The 12 bytes that say which game wrote the record: version text and save version
    // ("VER 9.8", 11.76 for UserPatch 1.2; "VER 9.C" or "VER 9.F", 11.76 for UserPatch 1.4 and 1.5;
    // "VER 9.4", 11.97 or 12.10 for HD, 12.20 to 12.50 for its later releases).
    static std::array<std::uint8_t, 12> VersionPrefix(const char* text, float saveVersion);
    std::uint8_t StoredPlayerCount() const;
};

} // namespace Mgx
