#include "TeamsFromStances.h"

#include "ChapterInfo.h"
#include "RecordFormat.h"

#include <algorithm>
#include <numeric>

namespace Mgx {

namespace {

constexpr int PlayerSlots = 9;

bool MutualAllies(const std::array<PlayerInfo, 9>& players, int first, int second)
{
    return players[first].stances[second] == AllyStance && players[second].stances[first] == AllyStance;
}

// Each player's group: the lowest player index it is joined to through mutual alliances.
std::array<int, PlayerSlots> AllianceGroups(const std::array<PlayerInfo, 9>& players, int playerCount)
{
    std::array<int, PlayerSlots> group{};
    std::iota(group.begin(), group.end(), 0);
    const auto root = [&group](int player) {
        while (group[player] != player)
            player = group[player];
        return player;
    };
    for (int first = 1; first < playerCount; ++first)
        for (int second = first + 1; second < playerCount; ++second)
            if (players[first].Filled() && players[second].Filled() && MutualAllies(players, first, second)) {
                const int a = root(first);
                const int b = root(second);
                group[std::max(a, b)] = std::min(a, b);
            }
    for (int player = 0; player < PlayerSlots; ++player)
        group[player] = root(player);
    return group;
}

// Only slots that seat a player count: an open or closed slot's team byte says nothing of a team.
bool NoTeamWritten(const ChapterInfo& chapter)
{
    return std::all_of(chapter.slots.begin() + 1, chapter.slots.end(),
                       [](const PlayerSlot& slot) { return slot.playerNumber <= 0 || slot.team == 0; });
}

} // namespace

std::array<std::uint8_t, 9> TeamsFromStances(const std::array<PlayerInfo, 9>& players, int playerCount)
{
    playerCount = std::clamp(playerCount, 0, PlayerSlots);
    const std::array<int, PlayerSlots> group = AllianceGroups(players, playerCount);
    std::array<std::uint8_t, 9> teams{};
    std::uint8_t nextTeam = 2;
    for (int player = 1; player < playerCount; ++player) {
        const bool alone = std::count(group.begin(), group.begin() + playerCount, group[player]) < 2;
        if (alone)
            continue;
        const int leader = group[player];
        teams[player] = leader == player ? nextTeam++ : teams[leader];
    }
    return teams;
}

void FillTeamsFromStances(ChapterInfo& chapter, const RecordFormat& format)
{
    if (!format.IsLateHd() || !NoTeamWritten(chapter))
        return;
    const std::array<std::uint8_t, 9> teams = TeamsFromStances(chapter.players, chapter.playerCount);
    for (std::size_t k = 1; k < chapter.slots.size(); ++k) {
        const std::int32_t player = chapter.slots[k].playerNumber;
        if (player > 0 && player < static_cast<std::int32_t>(teams.size()))
            chapter.slots[k].team = teams[static_cast<std::size_t>(player)];
    }
    chapter.teamsFromStances = true;
}

} // namespace Mgx
