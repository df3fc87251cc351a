#include "LibraryColumns.h"

#include "PlayerKind.h"
#include "RecordFormat.h"
#include "VersionWording.h"

#include <QHash>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

namespace {

// The lobby stores "no team" as 0 or 1; team n shows as n - 1.
bool HasTeam(const LibraryPlayer& player) { return player.team >= 2; }

int Sign(qint64 value) { return value == 0 ? 0 : (value < 0 ? -1 : 1); }

// Releases in the order they came out: 1.0a, 1.0c, UserPatch 1.2, HD, UserPatch 1.4 and 1.5 (whose
// rank stays that of the index's earlier rows), HD 4.x, HD 4.6 and later, then anything else.
int VersionRank(int logVersion, int formatFamily)
{
    switch (formatFamily) {
    case Mgx::RecordFormat::UserPatch12: return 2;
    case Mgx::RecordFormat::Hd: return 3;
    case Mgx::RecordFormat::UserPatch14: return 4;
    case Mgx::RecordFormat::UserPatch15: return 5;
    case Mgx::RecordFormat::HdBeforeSettings: return 6;
    case Mgx::RecordFormat::HdWithSettings: return 7;
    default: break;
    }
    switch (logVersion) {
    case 3:
        return 0;
    case 4:
        return 1;
    default:
        return 8;
    }
}

} // namespace

namespace LibraryColumns {

QString HeaderText(int column)
{
    static const std::array<QString, Count> texts{QStringLiteral("对手/玩家"), QStringLiteral("地图"),
                                                  QStringLiteral("时长"), QStringLiteral("版本"),
                                                  QStringLiteral("人数")};
    return IsExtraColumn(column) ? texts[static_cast<std::size_t>(column - First)] : QString();
}

bool IsExtraColumn(int column) { return column >= First && column < End; }

} // namespace LibraryColumns

bool IsPlaying(const LibraryPlayer& player)
{
    return player.kind == Mgx::PlayerKind::Human || player.kind == Mgx::PlayerKind::Computer;
}

namespace {

// The side of each player (-1 for one not playing) and the number of sides. Slots that steer one
// player together (a shared game) share its colour and civilisation; they sit on that player's side,
// which the first of them decides. Opening a folder composes this for every record, so it works on
// a few fixed arrays rather than lists and a hash.
struct SideSeats {
    QVarLengthArray<qsizetype, 9> sideOf;
    QVarLengthArray<int, 9> sideTeams; // the team of each side, 0 for a side of one without a team
};

SideSeats SeatSides(const QList<LibraryPlayer>& players)
{
    SideSeats seats;
    seats.sideOf.resize(players.size());
    for (qsizetype i = 0; i < players.size(); ++i) {
        const LibraryPlayer& player = players[i];
        seats.sideOf[i] = -1;
        if (!IsPlaying(player))
            continue;
        qsizetype side = -1;
        for (qsizetype earlier = 0; earlier < i && side < 0; ++earlier)
            if (seats.sideOf[earlier] >= 0 && players[earlier].colour == player.colour
                && players[earlier].civilization == player.civilization)
                side = seats.sideOf[earlier];
        if (side < 0 && HasTeam(player))
            side = seats.sideTeams.indexOf(player.team);
        if (side < 0) {
            side = seats.sideTeams.size();
            seats.sideTeams.append(HasTeam(player) ? player.team : 0);
        }
        seats.sideOf[i] = side;
    }
    return seats;
}

} // namespace

QList<QList<LibraryPlayer>> PlayerSides(const QList<LibraryPlayer>& players)
{
    const SideSeats seats = SeatSides(players);
    QList<QList<LibraryPlayer>> sides(seats.sideTeams.size());
    for (qsizetype i = 0; i < players.size(); ++i)
        if (seats.sideOf[i] >= 0)
            sides[seats.sideOf[i]].append(players[i]);
    return sides;
}

int PlayerCount(const QList<LibraryPlayer>& players)
{
    int count = 0;
    for (qsizetype i = 0; i < players.size(); ++i) {
        if (!IsPlaying(players[i]))
            continue;
        bool seen = false;
        for (qsizetype earlier = 0; earlier < i && !seen; ++earlier)
            seen = IsPlaying(players[earlier]) && players[earlier].colour == players[i].colour
                && players[earlier].civilization == players[i].civilization;
        count += seen ? 0 : 1;
    }
    return count;
}

QString PlayersLine(const QList<LibraryPlayer>& players)
{
    const SideSeats seats = SeatSides(players);
    QString line;
    for (qsizetype side = 0; side < seats.sideTeams.size(); ++side) {
        if (side > 0)
            line += QStringLiteral(" vs ");
        bool first = true;
        for (qsizetype i = 0; i < players.size(); ++i) {
            if (seats.sideOf[i] != side)
                continue;
            if (!first)
                line += QStringLiteral(", ");
            line += players[i].name;
            first = false;
        }
    }
    return line;
}

QString DurationText(qint64 milliseconds)
{
    const qint64 seconds = std::max<qint64>(milliseconds, 0) / 1000;
    const qint64 hours = seconds / 3600;
    const int minutes = static_cast<int>(seconds / 60 % 60);
    const int rest = static_cast<int>(seconds % 60);
    if (hours == 0)
        return QStringLiteral("%1:%2").arg(minutes).arg(rest, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(rest, 2, 10, QLatin1Char('0'));
}

QString VersionText(int logVersion, int formatFamily)
{
    const std::string_view wording = VersionWording(logVersion, formatFamily);
    return QString::fromUtf8(wording.data(), static_cast<qsizetype>(wording.size()));
}

int CompareVersions(int leftLogVersion, int rightLogVersion, int leftFamily, int rightFamily)
{
    const int byRank = Sign(VersionRank(leftLogVersion, leftFamily) - VersionRank(rightLogVersion, rightFamily));
    return byRank != 0 ? byRank : Sign(qint64(leftLogVersion) - rightLogVersion);
}

LibraryColumnValues ColumnValues(const LibrarySummary& summary, const SearchNames& names)
{
    LibraryColumnValues values;
    if (summary.status != LibrarySummary::Status::Read) {
        values.state = LibraryColumnValues::State::Damaged;
        return values;
    }
    values.state = LibraryColumnValues::State::Read;
    values.players = PlayersLine(summary.players);
    values.map = names.map ? names.map(summary.mapId) : QString();
    if (values.map.isEmpty())
        values.map = QStringLiteral("未知");
    values.duration = summary.duration;
    values.logVersion = summary.logVersion;
    values.formatFamily = summary.formatFamily;
    values.playerCount = PlayerCount(summary.players);
    return values;
}

QString ColumnText(const LibraryColumnValues& values, int column)
{
    using State = LibraryColumnValues::State;
    if (values.state == State::Damaged)
        return column == LibraryColumns::Players ? QStringLiteral("-") : QString();
    if (values.state != State::Read)
        return {};
    switch (column) {
    case LibraryColumns::Players:
        return values.players;
    case LibraryColumns::Map:
        return values.map;
    case LibraryColumns::Duration:
        return DurationText(values.duration);
    case LibraryColumns::Version:
        return VersionText(values.logVersion, values.formatFamily);
    case LibraryColumns::PlayerCount:
        return QString::number(values.playerCount);
    default:
        return {};
    }
}

int ColumnValuesRank(const LibraryColumnValues& values)
{
    switch (values.state) {
    case LibraryColumnValues::State::Read:
        return 0;
    case LibraryColumnValues::State::Damaged:
        return 1;
    default:
        return 2;
    }
}

int CompareColumnValues(const LibraryColumnValues& a, const LibraryColumnValues& b, int column)
{
    switch (column) {
    case LibraryColumns::Players:
        return Sign(a.players.compare(b.players, Qt::CaseInsensitive));
    case LibraryColumns::Map:
        return Sign(a.map.compare(b.map, Qt::CaseInsensitive));
    case LibraryColumns::Duration:
        return Sign(a.duration - b.duration);
    case LibraryColumns::Version:
        return CompareVersions(a.logVersion, b.logVersion, a.formatFamily, b.formatFamily);
    case LibraryColumns::PlayerCount:
        return Sign(qint64(a.playerCount) - b.playerCount);
    default:
        return 0;
    }
}
