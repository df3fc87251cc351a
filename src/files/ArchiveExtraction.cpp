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
        // Refused before anything is read or written: no record is that large.
        if (archive.DeclaredSize().value_or(0) > quint64(MaxArchiveEntrySize))
            return ArchiveResult::TooLarge;
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
        const std::optional<quint64> free = FreeBytes(folder);
        if (free && bytes.size() > *free)
            return ArchiveResult::NoSpace;
        const QDateTime time = archive.Time();
        const int placed = PlaceBytes(folder, name, reinterpret_cast<const char*>(bytes.data()), bytes.size(), overwrite,
                                      time.isValid() ? std::optional<qint64>(time.toSecsSinceEpoch()) : std::nullopt);
        if (placed == 0)
            return ArchiveResult::Ok;
        if (placed == ENOSPC || placed == EDQUOT)
            return ArchiveResult::NoSpace;
        return placed == EEXIST ? ArchiveResult::TargetExists : ArchiveResult::CannotWrite;
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
