#pragma once

#include "LibraryColumnValues.h"

#include <QString>
#include <QtGlobal>

// What a listed entry is. The value is also the index of the entry's picture in the list's
// small-image list.
enum class MgxItemKind : qint32 {
    NotListed = 0,
    Folder = 1,
    Record = 2, // ".mgx"
    Zip = 3,    // ".zip"
    Rar = 4,    // ".rar"
};

// One entry of the record list: what every file command needs to act on it, and the texts of the
// list's columns.
struct MgxListItem {
    QString fullPath;  // folder + separator + name
    quint64 size = 0;  // bytes; 0 for folders
    MgxItemKind kind = MgxItemKind::NotListed;
    QString name;      // the name inside its folder, extension included: column 0
    QString sizeText;  // column 1
    QString timeText;  // column 2
    qint64 mtime = 0;  // milliseconds since the epoch, what timeText shows
    QString relativeFolder; // a search result from below the listed folder: where it lies, else empty
    LibraryColumnValues columns; // the extra columns, from the library index; records only

    bool operator==(const MgxListItem&) const = default;
};
