#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Korvale's own temporary names: ".korvale-PID-XXXX.tmp" for a file being written and
// ".korvale-rar-PID-XXXXXX" for the RAR tool's staging folder. The process id says who owns one,
// so a file left by a run that was killed or failed can be told from one being written right now.
namespace Leftovers {

// The start of every temporary name this process makes (".korvale-PID-").
QByteArray TemporaryPrefix();
// The start of this process's staging folder names (".korvale-rar-PID-").
QByteArray StagingPrefix();

// The owner of a name of Korvale's naming: its process id, 0 for a name of the older form without
// one, or -1 when the name is not Korvale's.
pid_t OwnerOf(const QByteArray& name);

// Removes from folder (not below it) the temporary files and staging folders whose process has
// ended; one of the older form goes once it is a day old. Symbolic links and anything not named
// so are never touched. Returns how many entries were removed.
int RemoveOrphans(const QString& folder);

} // namespace Leftovers
