#pragma once

#include <QString>

#include <unzip.h>

#include <functional>

class ProgressSink;

// Result codes of ExtractZipArchive and ExtractZipEntry.
namespace ZipUnpackResult {
enum : int {
    Done = 0,
    CannotOpenArchive = 1,
    NoMemory = 4,
    CannotWrite = 6,
    CannotCreate = 7,
    CannotReadDirectory = 9,
    CannotStepToNext = 10,
    CannotReadEntryInfo = 11,
    CannotReadEntry = 12,
    CannotCloseEntry = 13, // e.g. a checksum mismatch
    CannotOpenEntry = 14,
    Cancelled = 16,
};
}

// What to do with an entry whose file exists already.
enum class ZipOverwrite {
    Always = 0,
    Never = 1, // extract nothing
    Ask = 2,   // ask through confirmOverwrite, skip on No
};

struct ZipExtractHooks {
    // Asked in ZipOverwrite::Ask mode with the existing file's path; true to overwrite.
    std::function<bool(const QString&)> confirmOverwrite;
    ProgressSink* progress = nullptr;
};

// Extracts every entry of the archive into targetFolder, keeping its folders. An entry that
// fails ends the run (still Done); entries finished before stay. Entries whose names would land
// outside targetFolder are skipped.
int ExtractZipArchive(const QString& archivePath, const QString& targetFolder, ZipOverwrite mode,
                      const ZipExtractHooks& hooks = {});

// Extracts the entry the archive stands on. Without keepPaths only the entry's file name is used.
// The file is written beside its final name and takes that name only once its checksum holds, so
// a damaged entry never replaces a good file.
int ExtractZipEntry(unzFile archive, const QString& targetFolder, bool keepPaths, const char* password,
                    ZipOverwrite mode, const ZipExtractHooks& hooks = {});
