#pragma once

#include "ArchiveResult.h"

#include <QString>

// Copies one entry out of a Zip or RAR archive into a folder the user chose: a file under its own
// name, or a folder under its name with everything inside it (subfolders and files; links and
// other special entries are passed over). Every file is written beside its final name and takes it
// only when complete, so an existing file is never replaced unless `overwrite` says so and a failed
// extraction leaves nothing partial. Names are the archive's cleaned names, so nothing can land
// outside targetFolder, and a link planted inside it is never followed.
//
// Ends at the first file that fails: TargetExists when its name is taken (without overwrite),
// TooLarge, Damaged or CannotWrite; the files finished before stay. `failedTarget` then names the
// file that failed. NoSuchEntry when the archive holds nothing of that name.
ArchiveResult ExtractArchiveEntry(const QString& archivePath, const QString& entryName, const QString& targetFolder,
                                  bool overwrite, QString* failedTarget = nullptr);
