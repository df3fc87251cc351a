#pragma once

#include <QString>
#include <QStringList>

class ProgressSink;

// Result codes of CreateZipArchive.
namespace ZipPackResult {
enum : int {
    Done = 0,
    CannotCreate = 1,
    CannotStartEntry = 2,
    CannotClose = 3,
    NoMemory = 4,
    ShortRead = 5,
    CannotWrite = 6,
    CannotOpenSource = 8,
    Unexpected = 15,
    Cancelled = 16, // the user stopped it; nothing was written
};
}

// Packs the files sourceFolder/name, in order, into the flat archive zipFolder/zipName at the
// given deflate level (0: stored), each entry stamped with its file's DOS time. The archive is
// written beside its final name and put in place only when complete, so a failure leaves no
// broken archive and keeps any archive that was there. progress may be null.
int CreateZipArchive(const QString& zipFolder, const QString& zipName, const QString& sourceFolder,
                     const QStringList& names, int level, ProgressSink* progress = nullptr);
