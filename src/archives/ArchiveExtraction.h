#pragma once

#include "ArchiveResult.h"

#include <QString>
#include <QStringList>

#include <functional>

// Copies one entry out of a Zip or RAR archive into a folder the user chose: a file under its own
// name, or a folder under its name with everything inside it (subfolders and files; links and
// other special entries are passed over). Every file is written beside its final name and takes it
// only when complete, so an existing file is never replaced unless `overwrite` says so and a failed
// extraction leaves nothing partial. Names are the archive's cleaned names, so nothing can land
// outside targetFolder, and a link planted inside it is never followed.
//
// Ends at the first file that fails: TooLarge, Damaged, NoSpace or CannotWrite; the files finished
// before stay. A file whose name is taken (without overwrite) is kept and the others go on; the
// result is then TargetExists. `failedTarget` names the file that failed or was kept. NoSuchEntry
// when the archive holds nothing of that name.
ArchiveResult ExtractArchiveEntry(const QString& archivePath, const QString& entryName, const QString& targetFolder,
                                  bool overwrite, QString* failedTarget = nullptr);

// The same for several entries in one pass over the archive, as copy-to out of an archive does
// for its whole selection: a file whose name is taken is replaced only when confirmOverwrite,
// asked with its path once the entry was read whole, returns true; otherwise it is kept, the
// others go on, and the result is TargetExists naming the first file kept. NoSuchEntry names the
// first requested entry not found.
ArchiveResult ExtractArchiveEntries(const QString& archivePath, const QStringList& entryNames, const QString& targetFolder,
                                    const std::function<bool(const QString&)>& confirmOverwrite,
                                    QString* failedTarget = nullptr);
