#include "ArchiveExtraction.h"

#include "ArchiveHandle.h"
#include "PosixFiles.h"

#include <QDir>
#include <QSet>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace PosixFiles;

namespace {

// Opens, creating it when missing, each folder of `parts` below `base` in turn. A link in the
// way is not followed.
UniqueFd OpenFolderPath(int base, const QStringList& parts)
{
    UniqueFd current(::dup(base));
    for (const QString& part : parts) {
        if (!current.isValid())
            return {};
        const QByteArray name = Encode(part);
        if (::mkdirat(current.get(), name.constData(), 0777) != 0 && errno != EEXIST)
            return {};
        current = UniqueFd(::openat(current.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    return current;
}

struct Extraction {
    ArchiveHandle& archive;
    UniqueFd target;
    QString targetFolder;
    bool overwrite = false;
    QString failedTarget;

    ArchiveResult WriteFile(const QStringList& parts)
    {
        failedTarget = targetFolder + QLatin1Char('/') + parts.join(QLatin1Char('/'));
        std::vector<std::uint8_t> bytes;
        const ArchiveResult read = archive.ReadData(bytes);
        if (read != ArchiveResult::Ok)
            return read;
        UniqueFd folder = OpenFolderPath(target.get(), parts.mid(0, parts.size() - 1));
        if (!folder.isValid())
            return ArchiveResult::CannotWrite;
        return Place(folder.get(), Encode(parts.last()), bytes);
    }

    ArchiveResult Place(int folder, const QByteArray& name, const std::vector<std::uint8_t>& bytes)
    {
        // Checked early only to spare a useless write; the placement decides without a race.
        if (!overwrite && ExistsAt(folder, name))
            return ArchiveResult::TargetExists;
        QByteArray temporaryName;
        UniqueFd temporary = CreateTemporary(folder, temporaryName);
        if (!temporary.isValid())
            return ArchiveResult::CannotWrite;
        const bool written = WriteAll(temporary.get(), reinterpret_cast<const char*>(bytes.data()), bytes.size());
        SetTime(temporary.get());
        const bool complete = written && ::fsync(temporary.get()) == 0 && temporary.close();
        int placed = EIO;
        if (complete) {
            placed = overwrite ? (::renameat(folder, temporaryName.constData(), folder, name.constData()) == 0 ? 0 : errno)
                               : RenameNoReplace(folder, temporaryName, folder, name);
        }
        if (placed == 0)
            return ArchiveResult::Ok;
        ::unlinkat(folder, temporaryName.constData(), 0);
        return placed == EEXIST ? ArchiveResult::TargetExists : ArchiveResult::CannotWrite;
    }

    // The file keeps the time the archive gives it, as it had when it was packed.
    void SetTime(int fd) const
    {
        const QDateTime time = archive.Time();
        if (!time.isValid())
            return;
        struct timespec times[2] {};
        times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = static_cast<time_t>(time.toSecsSinceEpoch());
        ::futimens(fd, times);
    }
};

} // namespace

ArchiveResult ExtractArchiveEntry(const QString& archivePath, const QString& entryName, const QString& targetFolder,
                                  bool overwrite, QString* failedTarget)
{
    ArchiveHandle archive(archivePath);
    if (!archive.IsOpen())
        return ArchiveResult::Damaged;
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(targetFolder));
    Extraction extraction{archive, OpenFolder(folder), folder, overwrite, {}};
    if (!extraction.target.isValid())
        return ArchiveResult::CannotWrite;
    const QString ownName = entryName.section(QLatin1Char('/'), -1);
    const QString prefix = entryName + QLatin1Char('/');
    bool found = false;
    QSet<QString> done; // of two entries with one name the first counts, as in the listing
    ArchiveResult result = ArchiveResult::Ok;
    while (result == ArchiveResult::Ok) {
        const ArchiveHandle::Step step = archive.Next();
        if (step == ArchiveHandle::Step::Failed) {
            result = ArchiveResult::Damaged;
            break;
        }
        if (step == ArchiveHandle::Step::End)
            break;
        const std::optional<QString> name = archive.CleanName();
        if (!name || (*name != entryName && !name->startsWith(prefix)) || done.contains(*name))
            continue;
        done.insert(*name);
        found = true;
        QStringList parts{ownName};
        if (*name != entryName)
            parts += name->mid(prefix.size()).split(QLatin1Char('/'));
        if (archive.IsFile())
            result = extraction.WriteFile(parts);
        else if (archive.IsFolder() && !OpenFolderPath(extraction.target.get(), parts).isValid())
            result = ArchiveResult::CannotWrite;
    }
    if (result == ArchiveResult::Ok && !found)
        result = ArchiveResult::NoSuchEntry;
    if (result != ArchiveResult::Ok && failedTarget)
        *failedTarget = extraction.failedTarget.isEmpty() ? folder + QLatin1Char('/') + ownName : extraction.failedTarget;
    return result;
}
