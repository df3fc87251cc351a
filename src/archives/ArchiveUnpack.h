#pragma once

#include <QString>

#include <functional>

class ProgressSink;
struct UnpackReport;

// How an unpack through libarchive ended.
enum class ArchiveUnpackResult {
    Done,              // every entry written or kept at the user's word
    SomeEntriesFailed, // read to its end; the report names each entry that failed
    Unreadable,        // libarchive cannot read the archive at all: nothing was written
    Cancelled,
};

// Unpacks every entry of a Zip or RAR archive into targetFolder, keeping its folders, entry by
// entry: a hostile name, an entry larger than a record can be or than the free space, and one
// whose bytes disagree with its declared size or checksum are each refused and reported, and the
// next entry goes on. Every file lands through a synced temporary file, so nothing partial stays;
// an existing file is replaced only when confirmOverwrite, asked with its path, returns true.
ArchiveUnpackResult UnpackArchive(const QString& archivePath, const QString& targetFolder,
                                  const std::function<bool(const QString&)>& confirmOverwrite, ProgressSink* progress,
                                  UnpackReport& report);
