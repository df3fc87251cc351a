#include "PosixFiles.h"

#include "StepHook.h"
#include "TemporaryNames.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace PosixFiles {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = other.Release();
    }
    return *this;
}

UniqueFd::~UniqueFd() { Close(); }

int UniqueFd::Release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool UniqueFd::Close()
{
    if (m_fd < 0)
        return true;
    const int result = ::close(m_fd);
    m_fd = -1;
    return result == 0;
}

QByteArray Encode(const QString& path) { return QFile::encodeName(path); }

QString FolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString NameOf(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

UniqueFd OpenFolder(const QString& path)
{
    return UniqueFd(::open(Encode(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

int LinkThenUnlink(int oldFolder, const QByteArray& oldName, int newFolder, const QByteArray& newName)
{
    // link() fails with EEXIST when the name is taken, so nothing can slip in between.
    if (::linkat(oldFolder, oldName.constData(), newFolder, newName.constData(), 0) != 0)
        return errno;
    if (::unlinkat(oldFolder, oldName.constData(), 0) != 0) {
        const int error = errno;
        ::unlinkat(newFolder, newName.constData(), 0);
        return error;
    }
    return 0;
}

int RenameNoReplace(int oldFolder, const QByteArray& oldName, int newFolder, const QByteArray& newName)
{
    if (::renameat2(oldFolder, oldName.constData(), newFolder, newName.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
        return error;
    struct stat info {};
    if (::fstatat(oldFolder, oldName.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return LinkThenUnlink(oldFolder, oldName, newFolder, newName);
    // A folder cannot be linked. rename() refuses a non-empty folder and a file as its target,
    // so the check below can at worst lose the race to an empty folder.
    if (ExistsAt(newFolder, newName))
        return EEXIST;
    return ::renameat(oldFolder, oldName.constData(), newFolder, newName.constData()) == 0 ? 0 : errno;
}

namespace {

// The mode a newly created file gets from the process's umask; read once, before any thread runs.
mode_t NewFileMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        return 0666 & ~mask;
    }();
    return mode;
}

} // namespace

UniqueFd CreateTemporary(int folder, QByteArray& name)
{
    const mode_t mode = NewFileMode();
    for (int attempt = 0; attempt < 100; ++attempt) {
        // The process id in the name tells a file being written from one a killed run left behind.
        name = TemporaryNames::TemporaryPrefix() + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
        const int fd = ::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::fchmod(fd, mode);
            return UniqueFd(fd);
        }
        if (errno != EEXIST)
            break;
    }
    name.clear();
    return {};
}

int PlaceBytes(int folder, const QByteArray& name, const char* data, size_t size, bool overwrite,
               std::optional<qint64> modified)
{
    // Checked early only to spare a useless write; the placement decides without a race.
    if (!overwrite && ExistsAt(folder, name))
        return EEXIST;
    QByteArray temporaryName;
    UniqueFd temporary = CreateTemporary(folder, temporaryName);
    if (!temporary.IsValid())
        return errno ? errno : EIO;
    int error = WriteAll(temporary.Get(), data, size) ? 0 : errno;
    if (modified) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(*modified), 0}};
        ::futimens(temporary.Get(), times);
    }
    if (error == 0 && ::fsync(temporary.Get()) != 0)
        error = errno;
    if (!temporary.Close() && error == 0)
        error = errno ? errno : EIO;
    StepHook::Reach("place: temporary written");
    if (error == 0) {
        error = overwrite ? (::renameat(folder, temporaryName.constData(), folder, name.constData()) == 0 ? 0 : errno)
                          : RenameNoReplace(folder, temporaryName, folder, name);
    }
    if (error != 0)
        ::unlinkat(folder, temporaryName.constData(), 0);
    return error;
}

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= size_t(written);
    }
    return true;
}

std::optional<quint64> FreeBytes(int folder)
{
    struct statvfs info {};
    if (::fstatvfs(folder, &info) != 0)
        return std::nullopt;
    return quint64(info.f_bavail) * quint64(info.f_frsize);
}

bool ExistsAt(int folder, const QByteArray& name)
{
    struct stat info {};
    return ::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

} // namespace PosixFiles
