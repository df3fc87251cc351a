#pragma once

#include "HeaderBlueprint.h"
#include "PlayerKind.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Mgx {

// One player of a later HD record, as its block, its lobby slot and its settings-block slot all tell it.
struct LateHdPlayer {
    std::string name; // UTF-8
    std::uint8_t civilization = 1;
    std::uint8_t colour = 0;
    std::uint8_t kind = PlayerKind::Human;
    int team = 0; // 0 none; players who share a team are allies in their blocks' stances
};

// How the lobby stores the teams: as team bytes (1 none, 2 to 5), or as 0 for every slot, as most
// HD 5.x records do; the stances say who is allied either way.
enum class LobbyTeams { Written, Zero };

// A game of a later HD release (save versions 12.20 to 12.50).
struct LateHdGame {
    float saveVersion = 12.50f;
    std::vector<LateHdPlayer> players;
    LobbyTeams lobbyTeams = LobbyTeams::Written;
    std::int32_t mapId = 9;
    std::string mapName = "Arabia";
    std::int32_t gameSpeed = 150;
    std::int32_t populationLimit = 200;
};

// A header block of that release: Gaia and the players, each block with its stances and a few
// objects (a town centre per player, a gold mine and a relic for Gaia; from 12.50 also a helper
// object with an empty sprite list per player), the lobby slots, and from 12.36 the settings block
// in the layout of the release (settings version 1000 for 12.36, 1004 for 12.49, 1005 for 12.50).
// Where the release stores the map id as 0 the settings block holds it (12.36 and later) and the
// instructions' third line names the map.
HeaderBlueprint LateHdHeader(const LateHdGame& game);

// A game of two teams of teamSize players each, their members interleaved (players 1, 3, ... are
// team 1, players 2, 4, ... team 2), with UTF-8 names and civilisations from 19 on.
LateHdGame LateHdTeamGame(float saveVersion, int teamSize, LobbyTeams lobbyTeams = LobbyTeams::Zero);

// Gives every block the stances its team implies: 0 towards itself and its team mates, 3 towards
// everyone else, Gaia included. teams holds one entry per block, Gaia's first (0 for no team).
void SetStancesByTeam(HeaderBlueprint& header, const std::vector<int>& teams);

// The object type count of the release's tables where a sample fixes it (12.49: 1401, 12.50:
// 1402), else 0.
std::int32_t LateHdObjectTypeCount(float saveVersion);

} // namespace Mgx
