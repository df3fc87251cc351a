#pragma once

#include "LibraryColumnValues.h"
#include "LibrarySummary.h"
#include "RecordSearch.h"

#include <QList>
#include <QString>

// The list's extra columns after the three of every listing, in model order.
namespace LibraryColumns {
enum Column { Players = 3, Map = 4, Duration = 5, Version = 6, PlayerCount = 7, End = 8 };
constexpr int First = Players;
constexpr int Count = End - First;

// "对手/玩家", "地图", "时长", "版本", "人数".
QString HeaderText(int column);
bool IsExtraColumn(int column);
} // namespace LibraryColumns

// Whether a player took part in the game: humans and computers. Nature and empty or watching
// slots have no side.
bool IsPlaying(const LibraryPlayer& player);

// The playing slots grouped into sides, in lobby order of each side's first slot. Players of one
// team share a side; a player without a team (team 0 or 1) is a side alone. Slots that steer the
// same player (same colour and civilisation) join the side of its first slot, whatever team they
// show.
QList<QList<LibraryPlayer>> PlayerSides(const QList<LibraryPlayer>& players);

// How many players took part: slots that steer one player together count once.
int PlayerCount(const QList<LibraryPlayer>& players);

// "A, B vs C, D": names within a side joined by ", ", sides by " vs ". A free-for-all reads
// "A vs B vs C"; one side alone has no "vs".
QString PlayersLine(const QList<LibraryPlayer>& players);

// Game time as "42:05" under an hour and "1:02:03" from an hour on; hours do not wrap.
QString DurationText(qint64 milliseconds);

// The game version of a stored summary, in the one wording of VersionWording.
QString VersionText(int logVersion, int formatFamily = 0);
// Version order for sorting: 1.0a, 1.0c, UserPatch 1.2, HD, UserPatch 1.4, 1.5, then the others by their number.
int CompareVersions(int leftLogVersion, int rightLogVersion, int leftFamily = 0, int rightFamily = 0);

// The extra columns' values of one summary; `names.map` names the map ("未知" when it has no name).
LibraryColumnValues ColumnValues(const LibrarySummary& summary, const SearchNames& names);

// The text of an extra column's cell: empty while the summary is missing, "-" in the players
// column of a damaged record and empty elsewhere in its row.
QString ColumnText(const LibraryColumnValues& values, int column);

// Where a row goes in any order of an extra column: read rows (0), then damaged ones (1), then
// those whose summary has not arrived (2).
int ColumnValuesRank(const LibraryColumnValues& values);

// Natural order of two read rows in an extra column: map and players by text (ignoring case), the
// duration by milliseconds, the version by CompareVersions, the player count by number.
int CompareColumnValues(const LibraryColumnValues& a, const LibraryColumnValues& b, int column);
