#include "FileTransfer.h"

#include "PosixFiles.h"
#include "StepHook.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace PosixFiles;

namespace {

constexpr size_t CopyBufferSize = 256 * 1024;

FileResult FromErrno(int error)
{
    if (error == 0)
        return FileResult::Ok;
    return error == EEXIST || error == ENOTEMPTY ? FileResult::TargetExists : FileResult::Failed;
}

// Streams source into target until the end; the number of bytes copied, or -1.
qint64 CopyBytes(int source, int target)
{
    std::vector<char> buffer(CopyBufferSize);
    qint64 total = 0;
    for (;;) {
        const ssize_t got = ::read(source, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            return total;
        if (!WriteAll(target, buffer.data(), size_t(got)))
            return -1;
        total += got;
    }
}

// Fills the open temporary file with the source's bytes, mode and time, synced to disk.
bool FillTemporary(int source, const struct stat& sourceInfo, int temporary)
{
    const qint64 copied = CopyBytes(source, temporary);
    struct stat after {};
    // A source that changed size while it was read gives an incomplete copy.
    if (copied < 0 || ::fstat(source, &after) != 0 || copied != after.st_size || after.st_size != sourceInfo.st_size)
        return false;
    const struct timespec times[2] = {sourceInfo.st_atim, sourceInfo.st_mtim};
    ::fchmod(temporary, sourceInfo.st_mode & 07777);
    ::futimens(temporary, times);
    return ::fsync(temporary) == 0;
}

// O_NONBLOCK: a FIFO under a record's name must not hang the copy; it is refused below.
FileResult CopyIntoPlace(const QString& source, const QString& target, bool overwrite, struct stat* copied = nullptr)
{
    UniqueFd input(::open(Encode(source).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    struct stat info {};
    if (!input.IsValid() || ::fstat(input.Get(), &info) != 0)
        return errno == ELOOP ? FileResult::NotAFile : FileResult::Failed;
    if (!S_ISREG(info.st_mode))
        return FileResult::NotAFile;
    ::fcntl(input.Get(), F_SETFL, 0);
    if (copied)
        *copied = info;
    UniqueFd folder = OpenFolder(FolderOf(target));
    const QByteArray name = Encode(NameOf(target));
    if (!folder.IsValid() || name.isEmpty())
        return FileResult::Failed;
    // Checked early only to spare a useless copy; the placement below decides without a race.
    if (!overwrite && ExistsAt(folder.Get(), name))
        return FileResult::TargetExists;

    QByteArray temporaryName;
    UniqueFd temporary = CreateTemporary(folder.Get(), temporaryName);
    if (!temporary.IsValid())
        return FileResult::Failed;
    const bool filled = FillTemporary(input.Get(), info, temporary.Get()) && temporary.Close();
    StepHook::Reach("copy: temporary filled");
    int placed = EIO;
    if (filled) {
        placed = overwrite ? (::renameat(folder.Get(), temporaryName.constData(), folder.Get(), name.constData()) == 0 ? 0 : errno)
                           : RenameNoReplace(folder.Get(), temporaryName, folder.Get(), name);
    }
    if (placed != 0)
        ::unlinkat(folder.Get(), temporaryName.constData(), 0);
    return FromErrno(placed);
}

int RenamePaths(const QString& source, const QString& target)
{
    UniqueFd sourceFolder = OpenFolder(FolderOf(source));
    UniqueFd targetFolder = OpenFolder(FolderOf(target));
    const QByteArray sourceName = Encode(NameOf(source));
    const QByteArray targetName = Encode(NameOf(target));
    if (!sourceFolder.IsValid() || !targetFolder.IsValid() || sourceName.isEmpty() || targetName.isEmpty())
        return ENOENT;
    return RenameNoReplace(sourceFolder.Get(), sourceName, targetFolder.Get(), targetName);
}

// Takes the source's name out of reach under a private name first, so that what is removed is
// exactly what the name held at that moment, and removes it only when it is the file that was
// copied. A file put under the name during the copy is given its name back and the copy stays:
// nothing the user has is lost, and the move says it failed. A source that is gone already
// leaves the complete, synced copy as the one file: the move is done.
FileResult RemoveMovedSource(const QString& source, const QString& target, const struct stat& copied)
{
    // While the source provably stays where it was, the copy goes again: the move did not happen.
    const auto takeCopyBack = [&target] {
        ::unlink(Encode(target).constData());
        return FileResult::Failed;
    };
    UniqueFd folder = OpenFolder(FolderOf(source));
    const QByteArray name = Encode(NameOf(source));
    // Not a temporary name: what lies under it may be the only copy of a file, so the clean-up of
    // leftovers never removes it.
    const QByteArray aside = ".korvale-moving-" + QByteArray::number(qint64(::getpid())) + '-'
        + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    if (!folder.IsValid())
        return takeCopyBack();
    {
        UniqueFd reserved(::openat(folder.Get(), aside.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!reserved.IsValid())
            return takeCopyBack();
    }
    // rename() replaces the empty placeholder in one step.
    if (::renameat(folder.Get(), name.constData(), folder.Get(), aside.constData()) != 0) {
        const int error = errno;
        ::unlinkat(folder.Get(), aside.constData(), 0);
        return error == ENOENT ? FileResult::Ok : takeCopyBack();
    }
    StepHook::Reach("move: source set aside");
    struct stat now {};
    const bool same = ::fstatat(folder.Get(), aside.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0
        && now.st_dev == copied.st_dev && now.st_ino == copied.st_ino && now.st_size == copied.st_size
        && now.st_mtim.tv_sec == copied.st_mtim.tv_sec && now.st_mtim.tv_nsec == copied.st_mtim.tv_nsec;
    if (same && ::unlinkat(folder.Get(), aside.constData(), 0) == 0)
        return FileResult::Ok;
    // Should the name be taken yet again, the file stays under the private name rather than replace it.
    RenameNoReplace(folder.Get(), aside, folder.Get(), name);
    return same ? takeCopyBack() : FileResult::Failed;
}

} // namespace

namespace FileTransfer {

FileResult CopyFile(const QString& source, const QString& target, bool overwrite)
{
    return CopyIntoPlace(source, target, overwrite);
}

FileResult MoveEntry(const QString& source, const QString& target)
{
    const int error = RenamePaths(source, target);
    if (error != EXDEV)
        return FromErrno(error);
    struct stat info {};
    if (::lstat(Encode(source).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileResult::Failed;
    struct stat copied {};
    const FileResult result = CopyIntoPlace(source, target, false, &copied);
    if (result != FileResult::Ok)
        return result;
    StepHook::Reach("move: copy placed");
    return RemoveMovedSource(source, target, copied);
}

FileResult RenameEntry(const QString& source, const QString& target)
{
    return FromErrno(RenamePaths(source, target));
}

FileResult DeleteFile(const QString& path)
{
    struct stat info {};
    if (::lstat(Encode(path).constData(), &info) != 0)
        return FileResult::Failed;
    if (S_ISDIR(info.st_mode))
        return FileResult::NotAFile;
    return ::unlink(Encode(path).constData()) == 0 ? FileResult::Ok : FileResult::Failed;
}

} // namespace FileTransfer
