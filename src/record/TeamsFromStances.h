#pragma once

#include "PlayerInfo.h"

#include <array>
#include <cstdint>

namespace Mgx {

struct ChapterInfo;
struct RecordFormat;

// The stance a player block names an ally by; 3 names an enemy.
constexpr std::uint8_t AllyStance = 0;

// The teams the players' stances make, as the lobby's team bytes would store them, by player
// index: 0 for a player without a team, 2 for the first team, 3 for the next, ... (teams are
// numbered in the order of their lowest player index). Two players are allies only when each
// names the other ally: a one-sided alliance is none. Allies of allies share a team even where
// they do not name each other, since a player plays in one team only. Gaia (index 0), players at
// or beyond playerCount and players whose block was not read are in no team.
std::array<std::uint8_t, 9> TeamsFromStances(const std::array<PlayerInfo, 9>& players, int playerCount);

// Later HD releases may leave every lobby team byte 0 (the game kept the teams only as
// stances): then each slot takes its player's team from the stances, and the chapter says so.
// Team bytes that are written are kept, and earlier formats are never changed.
void FillTeamsFromStances(ChapterInfo& chapter, const RecordFormat& format);

} // namespace Mgx
