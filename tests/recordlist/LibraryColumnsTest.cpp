#include "ColumnOrder.h"
#include "LibraryColumns.h"
#include "RecordFormat.h"
#include "RecordListSort.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

constexpr int kHuman = 1;
constexpr int kNature = 2;
constexpr int kComputer = 3;

// Each call gives a new colour, so every player steers one of their own.
LibraryPlayer Player(const QString& name, int team, int kind = kHuman)
{
    static int nextColour = 0;
    LibraryPlayer player;
    player.name = name;
    player.team = team;
    player.kind = kind;
    player.colour = nextColour++ % 8;
    player.civilization = nextColour;
    return player;
}

LibraryPlayer SteeringWith(const LibraryPlayer& first, const QString& name, int team)
{
    LibraryPlayer player = first;
    player.name = name;
    player.team = team;
    return player;
}

TEST(PlayersLine, GroupsPlayersByTeamInLobbyOrder)
{
    // Teams 1 and 2 of the lobby are stored as 2 and 3, and the lobby interleaves them.
    EXPECT_EQ(PlayersLine({Player("A", 2), Player("C", 3), Player("B", 2), Player("D", 3)}), "A, B vs C, D");
    EXPECT_EQ(PlayersLine({Player("A", 3), Player("B", 3), Player("C", 3), Player("D", 2)}), "A, B, C vs D");
    // Everyone on one team: one side, no "vs".
    EXPECT_EQ(PlayersLine({Player("A", 4), Player("B", 4)}), "A, B");
    EXPECT_EQ(PlayersLine({Player("Solo", 0)}), "Solo");
    EXPECT_EQ(PlayersLine({}), "");
}

TEST(PlayersLine, PlayersWithoutATeamAreEachASideOfTheirOwn)
{
    // A free-for-all, whether the lobby stored "no team" as 0 or as 1.
    EXPECT_EQ(PlayersLine({Player("A", 1), Player("B", 1), Player("C", 0)}), "A vs B vs C");
    EXPECT_EQ(PlayersLine({Player("A", 0), Player("B", 2), Player("C", 1), Player("D", 2)}), "A vs B, D vs C");
}

TEST(PlayersLine, OnlyHumansAndComputersTakePartAndSharedPlayersCountOnce)
{
    const LibraryPlayer first = Player("雨神", 2);
    const LibraryPlayer second = Player("阳阳", 1);
    // Slots steering an existing player join its side whatever team they show, as in a shared game.
    const QList<LibraryPlayer> shared{first, second, SteeringWith(first, "特菜", 2), SteeringWith(second, "冷月", 6),
                                      SteeringWith(second, "鸭子", 1)};
    EXPECT_EQ(PlayersLine(shared), "雨神, 特菜 vs 阳阳, 冷月, 鸭子");
    EXPECT_EQ(PlayerCount(shared), 2);

    const QList<LibraryPlayer> withOthers{Player("AI", 0, kComputer), Player("Gaia", 0, kNature), Player("Me", 0),
                                          Player("Empty", 0, 0)};
    EXPECT_EQ(PlayersLine(withOthers), "AI vs Me");
    EXPECT_EQ(PlayerCount(withOthers), 2);

    // A slot that takes no part decides no side, even with a player's colour and civilisation.
    LibraryPlayer bystander = SteeringWith(first, "Gaia", 3);
    bystander.kind = kNature;
    const QList<LibraryPlayer> bystanderFirst{bystander, Player("X", 3), first, Player("Y", 0)};
    EXPECT_EQ(PlayersLine(bystanderFirst), "X vs 雨神 vs Y");
    EXPECT_EQ(PlayerCount(bystanderFirst), 3);
    EXPECT_EQ(PlayerSides(bystanderFirst).size(), 3);
}

TEST(DurationText, MinutesUnderAnHourAndHoursFromOneOn)
{
    EXPECT_EQ(DurationText(0), "0:00");
    EXPECT_EQ(DurationText(59'999), "0:59");
    EXPECT_EQ(DurationText((42 * 60 + 5) * 1000), "42:05");
    EXPECT_EQ(DurationText(3'599'999), "59:59");
    EXPECT_EQ(DurationText(3'600'000), "1:00:00");
    EXPECT_EQ(DurationText((3600 + 2 * 60 + 3) * 1000 + 999), "1:02:03");
    EXPECT_EQ(DurationText(qint64(125) * 3'600'000), "125:00:00");
    EXPECT_EQ(DurationText(-5000), "0:00");
}

TEST(VersionText, NamesTheVersionsAsThePanelDoesAndOrdersThem)
{
    EXPECT_EQ(VersionText(3), "1.0a");
    EXPECT_EQ(VersionText(4), "1.0c");
    EXPECT_EQ(VersionText(7), "其他");
    EXPECT_EQ(VersionText(0), "其他");
    EXPECT_LT(CompareVersions(3, 4), 0);
    EXPECT_LT(CompareVersions(4, 0), 0);
    EXPECT_LT(CompareVersions(4, 7), 0);
    EXPECT_LT(CompareVersions(0, 7), 0);
    EXPECT_EQ(CompareVersions(4, 4), 0);
    EXPECT_GT(CompareVersions(5, 3), 0);
    // Later patches write logVersion 4 too; the header's family names them.
    EXPECT_EQ(VersionText(4, Mgx::RecordFormat::UserPatch12), "UserPatch 1.2");
    EXPECT_EQ(VersionText(4, Mgx::RecordFormat::Hd), "HD");
    EXPECT_LT(CompareVersions(4, 4, Mgx::RecordFormat::Conquerors, Mgx::RecordFormat::UserPatch12), 0);
    EXPECT_LT(CompareVersions(4, 4, Mgx::RecordFormat::UserPatch12, Mgx::RecordFormat::Hd), 0);
    EXPECT_LT(CompareVersions(4, 7, Mgx::RecordFormat::Hd, Mgx::RecordFormat::Conquerors), 0);
    EXPECT_EQ(VersionText(4, Mgx::RecordFormat::UserPatch14), "UserPatch 1.4");
    EXPECT_EQ(VersionText(4, Mgx::RecordFormat::UserPatch15), "UserPatch 1.5");
    EXPECT_LT(CompareVersions(4, 4, Mgx::RecordFormat::Hd, Mgx::RecordFormat::UserPatch14), 0);
    EXPECT_LT(CompareVersions(4, 4, Mgx::RecordFormat::UserPatch14, Mgx::RecordFormat::UserPatch15), 0);
    EXPECT_LT(CompareVersions(4, 7, Mgx::RecordFormat::UserPatch15, Mgx::RecordFormat::Conquerors), 0);
}

SearchNames MapNames()
{
    SearchNames names;
    names.map = [](int mapId) { return mapId == 9 ? QStringLiteral("阿拉伯") : QString(); };
    return names;
}

LibrarySummary Summary(int mapId, qint64 duration, int logVersion, QList<LibraryPlayer> players)
{
    LibrarySummary summary;
    summary.path = "/saves/x.mgx";
    summary.mapId = mapId;
    summary.duration = duration;
    summary.logVersion = logVersion;
    summary.players = std::move(players);
    return summary;
}

TEST(ColumnValues, CellTextsOfAReadADamagedAndAMissingRecord)
{
    const LibraryColumnValues read = ColumnValues(Summary(9, 2'525'000, 4, {Player("A", 2), Player("B", 3)}), MapNames());
    EXPECT_EQ(ColumnText(read, LibraryColumns::Players), "A vs B");
    EXPECT_EQ(ColumnText(read, LibraryColumns::Map), "阿拉伯");
    EXPECT_EQ(ColumnText(read, LibraryColumns::Duration), "42:05");
    EXPECT_EQ(ColumnText(read, LibraryColumns::Version), "1.0c");
    EXPECT_EQ(ColumnText(read, LibraryColumns::PlayerCount), "2");
    EXPECT_EQ(ColumnText(ColumnValues(Summary(77, 0, 3, {}), MapNames()), LibraryColumns::Map), "未知");

    LibrarySummary broken = Summary(9, 1000, 4, {Player("A", 2)});
    broken.status = LibrarySummary::Status::Damaged;
    const LibraryColumnValues damaged = ColumnValues(broken, MapNames());
    EXPECT_EQ(damaged.state, LibraryColumnValues::State::Damaged);
    EXPECT_EQ(ColumnText(damaged, LibraryColumns::Players), "-");
    const LibraryColumnValues missing;
    for (int column = LibraryColumns::First; column < LibraryColumns::End; ++column) {
        EXPECT_EQ(ColumnText(missing, column), "") << column;
        if (column != LibraryColumns::Players) {
            EXPECT_EQ(ColumnText(damaged, column), "") << column;
        }
    }
    EXPECT_EQ(LibraryColumns::HeaderText(LibraryColumns::Players), "对手/玩家");
    EXPECT_EQ(LibraryColumns::HeaderText(LibraryColumns::PlayerCount), "人数");
    EXPECT_EQ(LibraryColumns::HeaderText(2), "");
}

MgxListItem Row(const QString& name, LibraryColumnValues values)
{
    MgxListItem item;
    item.name = name;
    item.fullPath = "/saves/" + name;
    item.kind = MgxItemKind::Record;
    item.columns = std::move(values);
    return item;
}

LibraryColumnValues Read(const QString& players, const QString& map, qint64 duration, int logVersion, int count)
{
    LibraryColumnValues values;
    values.state = LibraryColumnValues::State::Read;
    values.players = players;
    values.map = map;
    values.duration = duration;
    values.logVersion = logVersion;
    values.playerCount = count;
    return values;
}

QStringList SortedNames(QList<MgxListItem> items, int column, bool reverse)
{
    const int oneBased = column + 1;
    SortListItems(items, SortState{reverse ? oneBased : -oneBased});
    QStringList names;
    for (const MgxListItem& item : items)
        names.append(item.name);
    return names;
}

// Values chosen so that each column's natural order differs from the others' and from text order
// where it matters: 10 players before 9 by text, 9:00 before 10:00:00 by text.
QList<MgxListItem> Rows()
{
    LibraryColumnValues damaged;
    damaged.state = LibraryColumnValues::State::Damaged;
    MgxListItem folder;
    folder.name = "sub";
    folder.kind = MgxItemKind::Folder;
    return {Row("waiting.mgx", {}),
            Row("p.mgx", Read("bob vs amy", "阿拉伯", 36'000'000, 4, 10)),
            folder,
            Row("broken.mgx", damaged),
            Row("q.mgx", Read("Amy vs carl", "黑森林", 540'000, 3, 9)),
            Row("r.mgx", Read("carl", "Arena", 600'000, 7, 2))};
}

TEST(ExtraColumnSort, EachColumnByItsNaturalValueFoldersFirstMissingLast)
{
    struct Case {
        int column;
        QStringList natural;
    };
    const QList<Case> cases{
        {LibraryColumns::Players, {"q.mgx", "p.mgx", "r.mgx"}},
        {LibraryColumns::Map, {"r.mgx", "p.mgx", "q.mgx"}}, // Latin letters before Chinese
        {LibraryColumns::Duration, {"q.mgx", "r.mgx", "p.mgx"}},
        {LibraryColumns::Version, {"q.mgx", "p.mgx", "r.mgx"}},
        {LibraryColumns::PlayerCount, {"r.mgx", "q.mgx", "p.mgx"}},
    };
    for (const Case& test : cases) {
        QStringList reversed = test.natural;
        std::reverse(reversed.begin(), reversed.end());
        const QStringList tail{"broken.mgx", "waiting.mgx"};
        EXPECT_EQ(SortedNames(Rows(), test.column, false), QStringList{"sub"} + test.natural + tail) << test.column;
        EXPECT_EQ(SortedNames(Rows(), test.column, true), QStringList{"sub"} + reversed + tail) << test.column;
    }
}

TEST(ExtraColumnSort, TheFirstThreeColumnsSortAsBefore)
{
    QList<MgxListItem> rows = Rows();
    SortListItems(rows, SortState{-1});
    QStringList names;
    for (const MgxListItem& item : rows)
        names.append(item.name);
    EXPECT_EQ(names, (QStringList{"sub", "broken.mgx", "p.mgx", "q.mgx", "r.mgx", "waiting.mgx"}));
}

TEST(MergedColumnOrder, ExtraColumnsTakeTheirPlacesAndTheFirstThreeKeepTheirOrder)
{
    // Nothing moved: the first three, then the extra ones.
    EXPECT_EQ(MergedColumnOrder({0, 1, 2}, {3, 4, 5, 6, 7}), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    // The players column dragged to the front, the time column before the size column.
    EXPECT_EQ(MergedColumnOrder({0, 2, 1}, {0, 4, 5, 6, 7}), (QList<int>{3, 0, 2, 1, 4, 5, 6, 7}));
    EXPECT_EQ(MergedColumnOrder({1, 0, 2}, {7, 1, 3, 5, 6}), (QList<int>{1, 4, 0, 5, 2, 6, 7, 3}));
    // Positions twice or out of range are not applied.
    EXPECT_EQ(MergedColumnOrder({0, 1, 2}, {3, 3, 5, 6, 7}), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(MergedColumnOrder({0, 0, 2}, {3, 4, 5, 6, 9}), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(MergedColumnOrder, BaseRanksAreTheFirstColumnsOrderAmongThemselves)
{
    EXPECT_EQ(BaseRanks({0, 1, 2, 3, 4}, 3), (QList<int>{0, 1, 2}));
    EXPECT_EQ(BaseRanks({1, 4, 0, 2, 3}, 3), (QList<int>{1, 2, 0}));
    EXPECT_EQ(BaseRanks({7, 2, 5, 0, 1}, 3), (QList<int>{2, 0, 1}));
}

} // namespace
