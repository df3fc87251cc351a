#include "FileTransfer.h"

#include "PosixFiles.h"

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

FileResult CopyIntoPlace(const QString& source, const QString& target, bool overwrite)
{
    UniqueFd input(::open(Encode(source).constData(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!input.isValid() || ::fstat(input.get(), &info) != 0)
        return FileResult::Failed;
    if (!S_ISREG(info.st_mode))
        return FileResult::NotAFile;
    UniqueFd folder = OpenFolder(FolderOf(target));
    const QByteArray name = Encode(NameOf(target));
    if (!folder.isValid() || name.isEmpty())
        return FileResult::Failed;
    // Checked early only to spare a useless copy; the placement below decides without a race.
    if (!overwrite && ExistsAt(folder.get(), name))
        return FileResult::TargetExists;

    QByteArray temporaryName;
    UniqueFd temporary = CreateTemporary(folder.get(), temporaryName);
    if (!temporary.isValid())
        return FileResult::Failed;
    const bool filled = FillTemporary(input.get(), info, temporary.get()) && temporary.close();
    int placed = EIO;
    if (filled) {
        placed = overwrite ? (::renameat(folder.get(), temporaryName.constData(), folder.get(), name.constData()) == 0 ? 0 : errno)
                           : RenameNoReplace(folder.get(), temporaryName, folder.get(), name);
    }
    if (placed != 0)
        ::unlinkat(folder.get(), temporaryName.constData(), 0);
    return FromErrno(placed);
}

int RenamePaths(const QString& source, const QString& target)
{
    UniqueFd sourceFolder = OpenFolder(FolderOf(source));
    UniqueFd targetFolder = OpenFolder(FolderOf(target));
    const QByteArray sourceName = Encode(NameOf(source));
    const QByteArray targetName = Encode(NameOf(target));
    if (!sourceFolder.isValid() || !targetFolder.isValid() || sourceName.isEmpty() || targetName.isEmpty())
        return ENOENT;
    return RenameNoReplace(sourceFolder.get(), sourceName, targetFolder.get(), targetName);
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
    const FileResult copied = CopyIntoPlace(source, target, false);
    if (copied != FileResult::Ok)
        return copied;
    if (::unlink(Encode(source).constData()) != 0) {
        // The source stays, so the copy goes again: a move either happens whole or not at all.
        ::unlink(Encode(target).constData());
        return FileResult::Failed;
    }
    return FileResult::Ok;
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
