#pragma once

#include <QString>

#include <unzip.h>

#include <functional>

class ProgressSink;
struct UnpackReport;

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
    CannotCloseEntry = 13, // the bytes disagree with the declared size or checksum
    CannotOpenEntry = 14,
    Cancelled = 16,
    SomeEntriesFailed = 17, // the archive was read to its end; the report names the failed entries
    HostileName = 18,
    TooLarge = 19,
    NoSpace = 20,
    NameTooLong = 21,
    Clash = 22,
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
    // Receives the files written and every entry that failed, with why.
    UnpackReport* report = nullptr;
};

// Extracts every entry of the archive into targetFolder, keeping its folders. An entry that
// fails is named in the report and the run goes on with the next; the result is then
// SomeEntriesFailed. Entries whose names could land outside targetFolder are refused. Each entry's
// bytes are counted and checked against its declared size and checksum, and an entry larger than
// a record can be or than the free space is refused before anything is written.
int ExtractZipArchive(const QString& archivePath, const QString& targetFolder, ZipOverwrite mode,
                      const ZipExtractHooks& hooks = {});

// Extracts the entry the archive stands on. Without keepPaths only the entry's file name is used.
// The file is written beside its final name and takes that name only once its size and checksum
// hold, so a damaged entry never replaces a good file. The archive must be opened with unzOpen64.
int ExtractZipEntry(unzFile archive, const QString& targetFolder, bool keepPaths, const char* password,
                    ZipOverwrite mode, const ZipExtractHooks& hooks = {});
