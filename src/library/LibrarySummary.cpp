#include "LibrarySummary.h"

#include "DecodeGbk.h"
#include "RecordFormat.h"

#include "GameRecord.h"
#include "RecordError.h"
#include "RecordReader.h"
#include "TextCodePage.h"

#include <QDir>
#include <QStringList>

#include <exception>

namespace {

QString ChatText(const Mgx::ChapterInfo& chapter)
{
    QStringList lines;
    for (const Mgx::ChatBeforeGame& line : chapter.pregameChat)
        lines.append(DecodeRecordText(std::string_view(line.text), chapter.codePage));
    for (const Mgx::ChatInGame& line : chapter.ingameChat)
        lines.append(DecodeChatLine(line, chapter.codePage, Mgx::NameCodePage(chapter)));
    return lines.join(QLatin1Char('\n'));
}

// Lobby slots name the players the way the game showed them; the player block gives the rest.
QList<LibraryPlayer> Players(const Mgx::ChapterInfo& chapter)
{
    QList<LibraryPlayer> players;
    for (std::size_t slotIndex = 1; slotIndex < chapter.slots.size(); ++slotIndex) {
        const Mgx::PlayerSlot& slot = chapter.slots[slotIndex];
        if (slot.playerNumber <= 0 || slot.playerNumber >= static_cast<int>(chapter.players.size()))
            continue;
        const Mgx::PlayerInfo& info = chapter.players[static_cast<std::size_t>(slot.playerNumber)];
        LibraryPlayer player;
        const std::uint16_t names = Mgx::NameCodePage(chapter);
        player.name = slot.name ? DecodeRecordText(slot.name, names) : DecodeRecordText(info.name, names);
        player.civilization = info.civilization;
        player.colour = info.colour;
        player.team = slot.team;
        player.kind = info.kind;
        players.append(player);
    }
    return players;
}

QString Recorder(const Mgx::ChapterInfo& chapter)
{
    const int number = chapter.recorderNumber;
    if (number <= 0 || number >= static_cast<int>(chapter.players.size()))
        return {};
    for (const Mgx::PlayerSlot& slot : chapter.slots)
        if (slot.playerNumber == number && slot.name)
            return DecodeRecordText(slot.name, Mgx::NameCodePage(chapter));
    return DecodeRecordText(chapter.players[static_cast<std::size_t>(number)].name, Mgx::NameCodePage(chapter));
}

} // namespace

LibrarySummary SummarizeRecord(const Mgx::GameRecord& record, const QString& path, qint64 size, qint64 mtime)
{
    LibrarySummary summary;
    summary.path = path;
    summary.size = size;
    summary.mtime = mtime;
    if (record.chapters.empty()) {
        summary.status = LibrarySummary::Status::Damaged;
        summary.errorText = QStringLiteral("empty record file");
        return summary;
    }
    const Mgx::ChapterInfo& chapter = record.chapters.back();
    summary.logVersion = chapter.logVersion;
    summary.formatFamily = Mgx::ChapterFormat(chapter.versionText, chapter.saveVersion).family;
    summary.gameType = chapter.gameType;
    summary.mapId = chapter.mapId;
    summary.mapSize = static_cast<int>(chapter.mapWidth);
    summary.duration = std::int64_t{chapter.restoreTime} + chapter.gameTime; // a restored game's whole length
    summary.recorder = Recorder(chapter);
    summary.players = Players(chapter);
    summary.chat = ChatText(chapter);
    return summary;
}

LibrarySummary ReadLibrarySummary(Mgx::RecordReader& reader, const QString& path, qint64 size, qint64 mtime)
{
    try {
        Mgx::GameRecord record = reader.Load(path.toStdString());
        LibrarySummary summary = SummarizeRecord(record, path, size, mtime);
        reader.Recycle(std::move(record));
        return summary;
    } catch (const std::exception& error) {
        LibrarySummary summary;
        summary.path = path;
        summary.size = size;
        summary.mtime = mtime;
        summary.status = LibrarySummary::Status::Damaged;
        summary.errorText = QString::fromStdString(error.what());
        return summary;
    }
}

namespace {

// Whether `path` is already in the stored form. Listings build their paths that way, so a folder of
// ten thousand records is keyed without cleaning ten thousand paths.
bool IsLibraryKey(QStringView path)
{
    if (path.isEmpty() || (path.size() > 1 && path.endsWith(u'/')))
        return false;
    qsizetype start = path.startsWith(u'/') ? 1 : 0;
    while (start < path.size()) {
        qsizetype end = path.indexOf(u'/', start);
        if (end < 0)
            end = path.size();
        const QStringView part = path.sliced(start, end - start);
        if (part.isEmpty() || part == u"." || part == u"..")
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

QString LibraryKey(const QString& path)
{
    const QString separated = QDir::fromNativeSeparators(path);
    return IsLibraryKey(separated) ? separated : QDir::cleanPath(separated);
}
