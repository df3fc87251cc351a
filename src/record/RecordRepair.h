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
// after copying the file to backupPath and syncing that copy. The backup is removed again when
// nothing was written or when it could not be made whole, and kept when writing failed, since the
// record may then be half written. Only a regular file is repaired: anything else (a FIFO would
// block for ever) gives OpenFailed before a byte is read. An existing backupPath is never replaced.
RepairCode RepairRecordFile(const std::string& path, const std::string& backupPath);

// Opens the record for reading and writing; null when it cannot.
using RecordOpener = std::FILE* (*)(const std::string& path);

// The same with the record opened by open; tests hand in openers whose files fail in chosen ways.
RepairCode RepairRecordFile(const std::string& path, const std::string& backupPath, RecordOpener open);

// The backup path used for a record: the path with ".bak" appended.
std::string RepairBackupPath(const std::string& path);

// The first backup path not taken yet: RepairBackupPath, else "PATH.1.bak", "PATH.2.bak" and so on,
// so an old backup neither blocks a repair nor is replaced by one.
std::string FreeRepairBackupPath(const std::string& path);

} // namespace Mgx
