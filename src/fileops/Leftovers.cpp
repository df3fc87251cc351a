#include "Leftovers.h"

#include "FolderListing.h"
#include "PosixFiles.h"
#include "TemporaryNames.h"

#include <QDateTime>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace PosixFiles;

namespace {

constexpr qint64 OldFormAge = 24 * 3600;

bool ProcessIsAlive(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

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
            ok = inner.IsValid() && EmptyFolder(inner.Get()) && ::unlinkat(folder, entry->d_name, AT_REMOVEDIR) == 0 && ok;
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
    return inner.IsValid() && EmptyFolder(inner.Get()) && ::unlinkat(folder, name.constData(), AT_REMOVEDIR) == 0;
}

} // namespace

namespace Leftovers {

int RemoveOrphans(const QString& folderPath)
{
    UniqueFd folder = OpenFolder(folderPath);
    const int copy = folder.IsValid() ? ::dup(folder.Get()) : -1;
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
        const pid_t owner = TemporaryNames::OwnerOf(name);
        if (owner < 0)
            continue;
        struct stat info {};
        if (::fstatat(folder.Get(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const bool orphan = owner > 0 ? !ProcessIsAlive(owner) : now - qint64(info.st_mtim.tv_sec) > OldFormAge;
        if (orphan && RemoveOne(folder.Get(), name, info))
            ++removed;
    }
    ::closedir(listing);
    return removed;
}

std::optional<QList<MgxListItem>> ListAndTidy(const QString& folder, const QLocale& locale)
{
    bool seen = false;
    std::optional<QList<MgxListItem>> items = ListFolderEntries(folder, locale, &seen);
    if (seen)
        RemoveOrphans(folder);
    return items;
}

} // namespace Leftovers
