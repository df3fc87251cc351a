#include "Leftovers.h"

#include "PosixFiles.h"

#include <QDateTime>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace PosixFiles;

namespace {

constexpr char FilePrefix[] = ".korvale-";
constexpr char FolderPrefix[] = ".korvale-rar-";
constexpr qint64 OldFormAge = 24 * 3600;

bool ProcessIsAlive(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

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

// Removes everything below the open folder, then nothing else: links are removed, never followed.
bool EmptyFolder(int folder)
{
    const int copy = ::dup(folder);
    DIR* listing = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!listing) {
        if (copy >= 0)
            ::close(copy);
        return false;
    }
    bool ok = true;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat info {};
        if (::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            UniqueFd inner(::openat(folder, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            ok = inner.isValid() && EmptyFolder(inner.get()) && ::unlinkat(folder, entry->d_name, AT_REMOVEDIR) == 0 && ok;
        } else {
            ok = ::unlinkat(folder, entry->d_name, 0) == 0 && ok;
        }
    }
    ::closedir(listing);
    return ok;
}

bool RemoveOne(int folder, const QByteArray& name, const struct stat& info)
{
    if (S_ISREG(info.st_mode))
        return ::unlinkat(folder, name.constData(), 0) == 0;
    if (!S_ISDIR(info.st_mode))
        return false;
    UniqueFd inner(::openat(folder, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return inner.isValid() && EmptyFolder(inner.get()) && ::unlinkat(folder, name.constData(), AT_REMOVEDIR) == 0;
}

} // namespace

namespace Leftovers {

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

int RemoveOrphans(const QString& folderPath)
{
    UniqueFd folder = OpenFolder(folderPath);
    const int copy = folder.isValid() ? ::dup(folder.get()) : -1;
    DIR* listing = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!listing) {
        if (copy >= 0)
            ::close(copy);
        return 0;
    }
    int removed = 0;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        const pid_t owner = OwnerOf(name);
        if (owner < 0)
            continue;
        struct stat info {};
        if (::fstatat(folder.get(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const bool orphan = owner > 0 ? !ProcessIsAlive(owner) : now - qint64(info.st_mtim.tv_sec) > OldFormAge;
        if (orphan && RemoveOne(folder.get(), name, info))
            ++removed;
    }
    ::closedir(listing);
    return removed;
}

} // namespace Leftovers
