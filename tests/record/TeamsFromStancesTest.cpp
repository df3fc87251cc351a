// Teams from the players' diplomacy stances: the grouping itself, where the walk applies it, and
// the stances real records hold.
#include "AlliedHdRecord.h"
#include "RealRecords.h"
#include "RecordFormat.h"
#include "RecordLoader.h"
#include "TeamsFromStances.h"
#include "TemporaryRecord.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

namespace {

using korvale::test::RealRecordPath;
using Teams = std::array<std::uint8_t, 9>;

constexpr std::uint8_t A = Mgx::AllyStance;
constexpr std::uint8_t E = 3; // enemy

// Players 0 .. rows - 1 with read blocks and these stances (row i: player i towards each player).
std::array<Mgx::PlayerInfo, 9> Players(const std::vector<std::vector<std::uint8_t>>& rows)
{
    std::array<Mgx::PlayerInfo, 9> players;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        players[i].name = "player " + std::to_string(i);
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            players[i].stances[j] = rows[i][j];
    }
    return players;
}

Teams TeamsOf(const std::vector<std::vector<std::uint8_t>>& rows)
{
    return Mgx::TeamsFromStances(Players(rows), static_cast<int>(rows.size()));
}

TEST(TeamsFromStances, PlayersWhoNameEachOtherAllyFormATeamNumberedByTheirLowestPlayer)
{
    // 2v2 with the teams interleaved: 1 and 3 against 2 and 4.
    EXPECT_EQ(TeamsOf({{A, E, E, E, E}, {E, A, E, A, E}, {E, E, A, E, A}, {E, A, E, A, E}, {E, E, A, E, A}}),
              (Teams{0, 2, 3, 2, 3}));
    // 4v4 with the second team first in the slots: its lowest player still numbers it.
    std::vector<std::vector<std::uint8_t>> eight(9, std::vector<std::uint8_t>(9, E));
    for (int i = 0; i < 9; ++i)
        for (int j = 1; j < 9; ++j)
            if (i > 0 && (i <= 2 || i >= 7) == (j <= 2 || j >= 7))
                eight[i][j] = A;
    EXPECT_EQ(TeamsOf(eight), (Teams{0, 2, 2, 3, 3, 3, 3, 2, 2}));
    // Three players in one team and one player alone.
    EXPECT_EQ(TeamsOf({{A, E, E, E, E}, {E, A, A, A, E}, {E, A, A, A, E}, {E, A, A, A, E}, {E, E, E, E, A}}),
              (Teams{0, 2, 2, 2, 0}));
}

TEST(TeamsFromStances, NobodyIsInATeamWithoutAMutualAlliance)
{
    EXPECT_EQ(TeamsOf({{A, E, E}, {E, A, E}, {E, E, A}}), Teams{}) << "a 1v1: each names only itself ally";
    EXPECT_EQ(TeamsOf({{A, E, E, E}, {E, A, A, E}, {E, E, A, E}, {E, E, E, A}}), Teams{})
        << "1 names 2 ally, 2 names 1 enemy: a one-sided alliance makes no team";
    EXPECT_EQ(TeamsOf({{A, E, E}, {E, E, E}, {E, E, E}}), Teams{}) << "not even themselves";
    EXPECT_EQ(TeamsOf({{A, 1, 1}, {E, A, 1}, {E, 1, A}}), Teams{}) << "neutral is not ally";
}

TEST(TeamsFromStances, GaiaIsInNoTeamAndJoinsNobody)
{
    // Everybody and Gaia name each other ally; players 1 and 2 are enemies, 3 and 4 allies.
    const Teams teams = TeamsOf({{A, A, A, A, A}, {A, A, E, E, E}, {A, E, A, E, E}, {A, E, E, A, A}, {A, E, E, A, A}});
    EXPECT_EQ(teams, (Teams{0, 0, 0, 2, 2}));
}

TEST(TeamsFromStances, AlliesOfAlliesShareTheTeamEvenWhenTheyDoNotNameEachOther)
{
    // 1-2 and 2-3 mutual, 1-3 enemies: player 2 cannot play in two teams, so all three play in one.
    EXPECT_EQ(TeamsOf({{A, E, E, E, E}, {E, A, A, E, E}, {E, A, A, A, E}, {E, E, A, A, E}, {E, E, E, E, A}}),
              (Teams{0, 2, 2, 2, 0}));
    // The chain joins two teams found separately at first (1-4 and 2-3, then 3-4).
    EXPECT_EQ(TeamsOf({{A, E, E, E, E}, {E, A, E, E, A}, {E, E, A, A, E}, {E, E, A, A, A}, {E, A, E, A, A}}),
              (Teams{0, 2, 2, 2, 2}));
}

TEST(TeamsFromStances, OnlyReadBlocksWithinThePlayerCountCount)
{
    std::array<Mgx::PlayerInfo, 9> players = Players({{A, E, E, E}, {E, A, A, A}, {E, A, A, A}, {E, A, A, A}});
    EXPECT_EQ(Mgx::TeamsFromStances(players, 3), (Teams{0, 2, 2, 0})) << "player 3 lies beyond the count";
    players[2].name.reset();
    EXPECT_EQ(Mgx::TeamsFromStances(players, 4), (Teams{0, 2, 0, 2})) << "block 2 was never walked";
    EXPECT_EQ(Mgx::TeamsFromStances(players, 40), (Teams{0, 2, 0, 2})) << "a damaged count stops at nine";
    EXPECT_EQ(Mgx::TeamsFromStances(players, -1), Teams{});
}

// A chapter of a later HD release whose lobby wrote no team: a 2v2, players 1 and 3 against 2 and
// 4, with player 1 steered from two slots.
Mgx::ChapterInfo LobbyWithoutTeams()
{
    Mgx::ChapterInfo chapter;
    chapter.playerCount = 5;
    chapter.players = Players({{A, E, E, E, E}, {E, A, E, A, E}, {E, E, A, E, A}, {E, A, E, A, E}, {E, E, A, E, A}});
    const std::array<std::int32_t, 6> steers = {0, 1, 2, 3, 4, 1}; // by slot
    for (std::size_t slot = 1; slot < steers.size(); ++slot)
        chapter.slots[slot].playerNumber = steers[slot];
    return chapter;
}

Mgx::RecordFormat Format(Mgx::RecordFormat::Family family, std::uint16_t release = 0)
{
    return {family, release != 0, release};
}

TEST(FillTeamsFromStances, SlotsWithoutLobbyTeamsTakeTheirPlayersTeamInLaterHdReleasesOnly)
{
    for (const Mgx::RecordFormat& format : {Format(Mgx::RecordFormat::HdWithSettings, 1250),
                                            Format(Mgx::RecordFormat::HdBeforeSettings, 1220)}) {
        SCOPED_TRACE(format.hdRelease);
        Mgx::ChapterInfo chapter = LobbyWithoutTeams();
        Mgx::FillTeamsFromStances(chapter, format);
        EXPECT_TRUE(chapter.teamsFromStances);
        for (const auto& [slot, team] : std::map<int, int>{{1, 2}, {2, 3}, {3, 2}, {4, 3}, {5, 2}, {6, 0}})
            EXPECT_EQ(chapter.slots[static_cast<std::size_t>(slot)].team, team) << "slot " << slot;
    }
    for (const Mgx::RecordFormat& format : {Format(Mgx::RecordFormat::Conquerors), Format(Mgx::RecordFormat::UserPatch15),
                                            Format(Mgx::RecordFormat::Hd)}) {
        Mgx::ChapterInfo chapter = LobbyWithoutTeams();
        Mgx::FillTeamsFromStances(chapter, format);
        EXPECT_FALSE(chapter.teamsFromStances) << int{format.family};
        EXPECT_EQ(chapter.slots[1].team, 0) << int{format.family};
    }
}

TEST(FillTeamsFromStances, AnyTeamByteTheLobbyWroteForAPlayerKeepsEveryTeamAsWritten)
{
    Mgx::ChapterInfo chapter = LobbyWithoutTeams();
    chapter.slots[4].team = 1; // player 4's "no team" is written: the lobby wrote its teams
    Mgx::FillTeamsFromStances(chapter, Format(Mgx::RecordFormat::HdWithSettings, 1250));
    EXPECT_FALSE(chapter.teamsFromStances);
    for (int slot = 1; slot <= 5; ++slot)
        EXPECT_EQ(chapter.slots[static_cast<std::size_t>(slot)].team, slot == 4 ? 1 : 0) << slot;
}

TEST(FillTeamsFromStances, AnEmptySlotsTeamByteSaysNothingOfTheTeams)
{
    Mgx::ChapterInfo chapter = LobbyWithoutTeams();
    chapter.slots[8].team = 1; // slot 8 seats nobody
    Mgx::FillTeamsFromStances(chapter, Format(Mgx::RecordFormat::HdWithSettings, 1250));
    EXPECT_TRUE(chapter.teamsFromStances);
    EXPECT_EQ(chapter.slots[1].team, 2);
    EXPECT_EQ(chapter.slots[2].team, 3);
}

TEST(TeamsFromStancesInRecords, TheHd50FinalReadsEachPlayerAsItsOnlyAllyAndSoNoTeams)
{
    KORVALE_NEED_REAL_RECORDS();
    const Mgx::GameRecord record = Mgx::LoadRecordFile(RealRecordPath("hd50_tourney_final_g4.aoe2record"));
    const Mgx::ChapterInfo& c = record.chapters.front();
    EXPECT_EQ(c.players[0].stances, (Teams{A, E, E}));
    EXPECT_EQ(c.players[1].stances, (Teams{E, A, E}));
    EXPECT_EQ(c.players[2].stances, (Teams{E, E, A}));
    EXPECT_TRUE(c.teamsFromStances) << "its lobby wrote no team byte";
    for (std::size_t k = 1; k < c.slots.size(); ++k)
        EXPECT_EQ(c.slots[k].team, 0) << k;
}

TEST(TeamsFromStancesInRecords, AnHdRecordWithoutLobbyTeamsTakesTheTeamItsStancesMake)
{
    KORVALE_NEED_REAL_RECORDS();
    const korvale::test::TemporaryRecord allied(korvale::test::AlliedHdRecordBytes(RealRecordPath("hd50_tourney_final_g4.aoe2record")));
    const Mgx::GameRecord record = allied.Load();
    const Mgx::ChapterInfo& c = record.chapters.front();
    EXPECT_EQ(c.players[1].stances, (Teams{E, A, A}));
    EXPECT_EQ(c.players[2].stances, (Teams{E, A, A}));
    EXPECT_TRUE(c.teamsFromStances);
    EXPECT_EQ(c.slots[1].team, 2);
    EXPECT_EQ(c.slots[2].team, 2);
    for (std::size_t k = 3; k < c.slots.size(); ++k)
        EXPECT_EQ(c.slots[k].team, 0) << "closed slot " << k;
    EXPECT_EQ(c.gameTime, 83640) << "the rest of the record reads as before";
}

// Players sharing a lobby team (2 to 5) by the first slot that steers each player.
std::map<int, int> LobbyTeams(const Mgx::ChapterInfo& c)
{
    std::map<int, int> teams;
    for (std::size_t k = 1; k < c.slots.size(); ++k) {
        const int player = c.slots[k].playerNumber;
        if (player > 0 && player < c.playerCount && !teams.contains(player))
            teams[player] = c.slots[k].team >= 2 ? c.slots[k].team : 0;
    }
    return teams;
}

// Where a lobby wrote its teams, the stances say the same: the same players share a team.
TEST(TeamsFromStancesInRecords, StancesGroupThePlayersAsTheWrittenLobbyTeamsDo)
{
    KORVALE_NEED_REAL_RECORDS();
    for (const char* file : {"aoc10a_3v3_http_junk_after_body.mgx", "aoc10a_4v4_arabia_gbk.mgx",
                             "aoc10a_sp_vs_4ai_teams_short.mgx", "aoc10c_1v1_arabia.mgx", "aoc10c_4v4_2chapters_gbk.mgx",
                             "aoc10c_4v4_empty_body.mgx", "hd1210_test.mgx", "hd431_simple.mgx2", "hd46_sp_replay.aoe2record",
                             "up15_1v1_mod_postgame.mgz"}) {
        SCOPED_TRACE(file);
        const Mgx::GameRecord record = Mgx::LoadRecordFile(RealRecordPath(file));
        const Mgx::ChapterInfo& c = record.chapters.front();
        EXPECT_FALSE(c.teamsFromStances);
        const std::map<int, int> lobby = LobbyTeams(c);
        const Teams derived = Mgx::TeamsFromStances(c.players, c.playerCount);
        for (const auto& [first, firstTeam] : lobby) {
            for (const auto& [second, secondTeam] : lobby) {
                if (first < second) {
                    EXPECT_EQ(firstTeam != 0 && firstTeam == secondTeam, derived[first] != 0 && derived[first] == derived[second])
                        << "players " << first << " and " << second;
                }
            }
        }
    }
}

} // namespace
