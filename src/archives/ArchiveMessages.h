#pragma once

#include "ArchiveResult.h"
#include "UnpackReport.h"

#include <QString>

// The fixed texts the user sees about records inside archives.
namespace ArchiveMessages {

// Move, delete, rename, repair, pack or unpack asked for inside an archive.
QString Refused();
// A double click on an archive inside an archive.
QString Nested();
// A record inside an archive whose body start is missing: the repair cannot run there.
QString RepairRefused();
// One text per failed outcome of listing or reading; empty for Ok.
QString ForResult(ArchiveResult result);

// Why one entry was not unpacked.
QString ForFailure(EntryFailure why);
// What an unpack did: "解压缩完成：N 个文件", then each entry that failed with why (the first
// ones, and how many more), then each archive that could not be read at all.
QString UnpackSummary(const UnpackReport& report, const QStringList& unreadableArchives);

} // namespace ArchiveMessages
