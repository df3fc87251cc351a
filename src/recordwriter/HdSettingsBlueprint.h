#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Mgx {

// One of the eight player slots the settings block lists (from settings version 1004 on).
struct HdSettingsSlot {
    std::int32_t colour = 0;
    std::uint32_t team = 1; // 1 none, 2 to 5 teams
    std::uint32_t civilization = 0;
    std::string aiType;
    std::string aiName; // stored from settings version 1005 on
    std::string name;   // UTF-8
    std::uint32_t type = 1; // 2 human, 4 computer, 1 closed
    std::uint64_t steamId = 0;
    std::int32_t playerNumber = -1; // -1 for an empty slot
    // The 8 bytes some releases store after each slot: a rating and a game count.
    std::uint32_t rating = 1600;
    std::uint32_t ratedGames = 0;
};

// The settings block that HD 4.6 and later write between the save version and the AI flag.
// version selects the layout: 1000 (4.6/4.7) names the map and lists no slots, 1004 (4.8) lists
// slots, 1005 (5.0-5.6) adds an AI name to each slot and a text at the end, 1006 (5.7/5.8) adds a
// game mode and a byte after each slot's colour.
struct HdSettingsBlueprint {
    float version = 1005.0f;
    std::vector<std::int32_t> dlcIds = {2, 3, 4};
    std::int32_t dataset = 0;

    std::uint32_t difficulty = 3;
    std::uint32_t selectedMapId = 9;
    std::uint32_t resolvedMapId = 9;
    std::uint32_t revealMap = 0;
    std::uint32_t victoryType = 0;
    std::uint32_t startingResources = 0;
    std::uint32_t startingAge = 0;
    std::uint32_t endingAge = 0;
    std::uint32_t gameMode = 0; // from 1006

    // Version 1000 only: the map's name and a second text.
    std::string mapName;
    std::string mapText;

    float speed = 1.5f;
    std::uint32_t treatyLength = 0;
    std::uint32_t populationLimit = 200;
    std::uint32_t playerCount = 2; // Gaia not counted
    std::array<std::uint8_t, 16> flags{};

    // From 1004 on. Every slot starts with the same uint32, which a reader uses to tell whether
    // the slots carry ratings: without them that value comes again where the second slot starts.
    std::uint32_t slotHead = 0;
    std::array<HdSettingsSlot, 8> slots;
    bool ratings = false;

    std::uint32_t lobbyVisibility = 0;
    std::array<std::string, 3> fileTexts; // the scenario file, the map script, its scenario
    std::array<std::uint8_t, 16> guid{};
    std::string lobbyName;
    std::string modName;
    std::string lastText; // from 1005
};

} // namespace Mgx
