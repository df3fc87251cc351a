#pragma once

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
// after copying the file to backupPath.
RepairCode RepairRecordFile(const std::string& path, const std::string& backupPath);

// The message the user sees for an outcome (UTF-8).
std::string RepairMessage(RepairCode code, const std::string& backupPath);

// The backup path used for a record: the path with ".bak" appended.
std::string RepairBackupPath(const std::string& path);

} // namespace Mgx
