#pragma once

#include "LibraryColumnValues.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace Mgx {
class RecordReader;
struct GameRecord;
} // namespace Mgx

// One player of an indexed record, in lobby order.
struct LibraryPlayer {
    QString name;
    int civilization = 0;
    int colour = 0;
    int team = 0; // as the lobby stores it: 0 or 1 = no team, n >= 2 = team n - 1
    int kind = 0; // see Mgx::PlayerKind

    bool operator==(const LibraryPlayer&) const = default;
};

// What the library keeps of one record file. Civilisations and maps stay numbers: their names
// belong to the layer that shows them.
struct LibrarySummary {
    enum class Status : int { Read = 1, Damaged = 2 };

    QString path;
    qint64 size = 0;
    qint64 mtime = 0; // milliseconds since the epoch
    Status status = Status::Read;
    QString errorText; // why a damaged record could not be read
    int logVersion = 0;
    // Mgx::RecordFormat::Family: 1.0c, UserPatch 1.2 and HD records share logVersion 4.
    int formatFamily = 0;
    int gameType = 0;
    int mapId = 0;
    int mapSize = 0;      // tiles along one side
    qint64 duration = 0;  // game time in milliseconds
    QString recorder;
    QList<LibraryPlayer> players;
    QString chat; // lobby and in-game lines, one per line
    // What a search query is matched against (see SearchableText), composed once when the record
    // is read; summaries of a whole folder come from the index with this and without the chat.
    QString searchText;
    // The list's extra columns, composed where the summary is read or fetched, off the UI thread;
    // Missing when not composed (the index does not store them).
    LibraryColumnValues columns;

    bool operator==(const LibrarySummary&) const = default;
};

// The summary of a record already read.
LibrarySummary SummarizeRecord(const Mgx::GameRecord& record, const QString& path, qint64 size, qint64 mtime);

// Reads the record at `path` with `reader` and sums it up; a record that cannot be read gives a
// damaged summary carrying the reader's message. Never throws.
LibrarySummary ReadLibrarySummary(Mgx::RecordReader& reader, const QString& path, qint64 size, qint64 mtime);

// The form of a path the library stores and compares: '/' separators, no "." or "..", no doubled
// or trailing separator.
QString LibraryKey(const QString& path);
