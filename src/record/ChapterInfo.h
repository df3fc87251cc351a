#pragma once

#include "ChatBeforeGame.h"
#include "ChatInGame.h"
#include "GbkText.h"
#include "PlayerInfo.h"
#include "PlayerSlot.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Mgx {

// One parsed chapter: the header block and the body that follows it.
struct ChapterInfo {
    enum Status : std::int32_t { Building = 0, Read = 1, HeaderEndMissing = 2 };

    std::int32_t status = Building;
    // The file's two leading fields, kept for tools that report where the body begins.
    std::int32_t headerEnd = 0;
    std::int32_t nextChapterPos = 0;
    std::uint8_t gameType = 0;
    std::int32_t mapId = 0;
    std::int32_t difficulty = 0;
    std::uint8_t playerCount = 0;
    std::int32_t populationLimit = 0;
    std::int32_t revealSetting = 0;
    std::int32_t victoryType = 0;
    std::uint8_t lockFlag = 0;
    std::vector<ChatBeforeGame> pregameChat;
    GbkText instructions;
    std::array<PlayerInfo, 9> players;
    std::array<PlayerSlot, 9> slots;
    // The lobby wrote no team (later HD releases): the slots' teams come from the player blocks'
    // diplomacy stances.
    bool teamsFromStances = false;
    std::uint32_t mapWidth = 0;
    std::uint32_t mapHeight = 0;
    std::int32_t gameSpeed = 0;
    std::int16_t recorderNumber = 0;
    GbkText scenarioFileName;
    std::int32_t victoryValue = 0;
    std::int32_t gameTime = 0;
    // UserPatch 1.4 and later: the game time in milliseconds at which a restored game's recording
    // starts; 0 for a game recorded from its start. gameTime counts the recorded part only.
    std::int32_t restoreTime = 0;
    // The body scan met a time step no game could take and stopped there, keeping what it had read.
    bool bodyDamaged = false;
    // The body ends inside an operation: the game (or a copy) stopped writing before the game's
    // end, so gameTime is only as far as the record goes.
    bool truncated = false;
    std::vector<ChatInGame> ingameChat;
    // Two bytes per tile, row-major: tile (x, y) at (y * mapWidth + x) * 2. Empty until the walk reaches it.
    std::vector<std::uint8_t> terrain;
    std::int32_t logVersion = 0; // 3 = 1.0a, 4 = 1.0c
    // The header's version text ("VER 9.4", "VER 9.8") and save version: with logVersion they say which game wrote the record.
    std::string versionText;
    float saveVersion = 0;
    // One mark code per tile, row-major; see MarkCode.
    std::vector<std::uint8_t> objectMarks;
    // The Windows code page the chapter's text is stored in: GBK (936) unless its text says otherwise.
    std::uint16_t codePage = 936;
    // Later HD releases store player names in UTF-8 whatever code page their other text is in.
    bool utf8Names = false;
    // Later HD releases: the map's name where the record names it (the settings block, or the third
    // line of the instructions), as stored; the settings block's version (1000 in HD 4.6 ... 1006
    // in 5.8), 0 without one.
    std::string mapName;
    std::uint16_t settingsVersion = 0;

    bool operator==(const ChapterInfo&) const = default;
};

} // namespace Mgx
