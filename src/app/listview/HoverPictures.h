#pragma once

#include "LibrarySummary.h"
#include "RecordReader.h"

#include <QImage>
#include <QList>
#include <QString>

#include <memory>

// What the tip over a record shows: its map as the compact pane draws it, every mark group on, and
// its players by side.
struct HoverPicture {
    QImage map;
    QList<QList<LibraryPlayer>> sides;
};

// Reads records for the tips over the list with a reader of its own, so the record the
// information pane holds is never touched, and keeps the last few pictures: moving back and forth
// over a few rows reads each record once. A record changed on disk (size or time) is read again.
class HoverPictures {
public:
    explicit HoverPictures(int capacity = 8);

    // The picture of the record at `path`, or null when it cannot be read or is damaged.
    std::shared_ptr<const HoverPicture> PictureOf(const QString& path);

    int CachedCount() const { return static_cast<int>(m_entries.size()); }

private:
    struct Entry {
        QString path;
        qint64 size = 0;
        qint64 mtime = 0;
        std::shared_ptr<const HoverPicture> picture;
    };

    std::shared_ptr<const HoverPicture> Read(const QString& path, qint64 size, qint64 mtime);

    Mgx::RecordReader m_reader;
    QList<Entry> m_entries; // most recently used first
    int m_capacity;
};

// The players of the tip as rich text: one line per side, each name after a square in the
// player's colour on a dark ground (a name in yellow or white on the tip's pale ground could not
// be read), sides separated by "vs".
QString HoverPlayersHtml(const QList<QList<LibraryPlayer>>& sides);
