#include "TemporaryNames.h"

#include <unistd.h>

namespace {

constexpr char FilePrefix[] = ".korvale-";
constexpr char FolderPrefix[] = ".korvale-rar-";

// A pid followed by '-' at the start of rest, else 0.
pid_t LeadingPid(const QByteArray& rest)
{
    const qsizetype dash = rest.indexOf('-');
    if (dash <= 0)
        return 0;
    bool ok = false;
    const qlonglong pid = rest.left(dash).toLongLong(&ok);
    return ok && pid > 0 && pid < (1ll << 31) ? pid_t(pid) : 0;
}

} // namespace

namespace TemporaryNames {

QByteArray TemporaryPrefix() { return FilePrefix + QByteArray::number(qint64(::getpid())) + '-'; }

QByteArray StagingPrefix() { return FolderPrefix + QByteArray::number(qint64(::getpid())) + '-'; }

pid_t OwnerOf(const QByteArray& name)
{
    if (name.startsWith(FolderPrefix))
        return LeadingPid(name.mid(sizeof FolderPrefix - 1));
    if (name.startsWith(FilePrefix) && name.endsWith(".tmp"))
        return LeadingPid(name.mid(sizeof FilePrefix - 1));
    return -1;
}

} // namespace TemporaryNames
