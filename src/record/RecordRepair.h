#pragma once

#include <cstdio>
#include <string>

namespace Mgx {

enum class RepairCode : int {
    Repaired = 0,
    BackupFailed = 1,
    OpenFailed = 2,
    ReadFailed = 3,
    BodyNotFound = 4,
    NothingToRepair = 5,
    WriteFailed = 6,
};

// Writes the offset of the body into the first four bytes of a record whose first field is 0,
// after copying the file to backupPath. The backup is removed again when nothing was written, and
// kept when writing failed, since the record may then be half written.
RepairCode RepairRecordFile(const std::string& path, const std::string& backupPath);

// Opens the record for reading and writing; null when it cannot.
using RecordOpener = std::FILE* (*)(const std::string& path);

// The same with the record opened by open; tests hand in openers whose files fail in chosen ways.
RepairCode RepairRecordFile(const std::string& path, const std::string& backupPath, RecordOpener open);

// The backup path used for a record: the path with ".bak" appended.
std::string RepairBackupPath(const std::string& path);

} // namespace Mgx
