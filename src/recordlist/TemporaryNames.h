#pragma once

#include <QByteArray>

#include <sys/types.h>

// Korvale's own temporary names: ".korvale-PID-XXXX.tmp" for a file being written and
// ".korvale-rar-PID-XXXXXX" for the RAR tool's staging folder. The process id says who owns one,
// so a file left by a run that was killed or failed can be told from one being written right now.
// The list never shows them; the file routines make them and tidy up after ended runs.
namespace TemporaryNames {

// The start of every temporary name this process makes (".korvale-PID-").
QByteArray TemporaryPrefix();
// The start of this process's staging folder names (".korvale-rar-PID-").
QByteArray StagingPrefix();

// The owner of a name of Korvale's naming: its process id, 0 for a name of the older form without
// one, or -1 when the name is not Korvale's.
pid_t OwnerOf(const QByteArray& name);

} // namespace TemporaryNames
