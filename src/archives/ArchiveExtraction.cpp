#include "ArchiveExtraction.h"

#include "ArchiveHandle.h"
#include "PosixFiles.h"

#include <QDir>
#include <QSet>
#include <functional>
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
        if (!current.IsValid())
            return {};
        const QByteArray name = Encode(part);
        if (::mkdirat(current.Get(), name.constData(), 0777) != 0 && errno != EEXIST)
            return {};
        current = UniqueFd(::openat(current.Get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    return current;
}

struct Extraction {
    ArchiveHandle& archive;
    UniqueFd target;
    QString targetFolder;
    const std::function<bool(const QString&)>& confirmOverwrite;
    QString failedTarget;
    QString declined; // the first file kept because the user said No

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
        UniqueFd folder = OpenFolderPath(target.Get(), parts.mid(0, parts.size() - 1));
        if (!folder.IsValid())
            return ArchiveResult::CannotWrite;
        const QByteArray name = Encode(parts.last());
        // Asked only once the entry is read whole: a damaged one never gets as far as the question.
        const bool replace = ExistsAt(folder.Get(), name);
        if (replace && !(confirmOverwrite && confirmOverwrite(failedTarget))) {
            if (declined.isEmpty())
                declined = failedTarget;
            return ArchiveResult::Ok; // kept; the others go on
        }
        return Place(folder.Get(), name, bytes, replace);
    }

    ArchiveResult Place(int folder, const QByteArray& name, const std::vector<std::uint8_t>& bytes, bool overwrite)
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

namespace {

// The requested name an entry lies in (itself or a folder above it), or nothing.
std::optional<QString> RequestedAbove(const QString& name, const QSet<QString>& requested)
{
    for (qsizetype slash = name.indexOf(QLatin1Char('/')); slash >= 0; slash = name.indexOf(QLatin1Char('/'), slash + 1))
        if (requested.contains(name.left(slash)))
            return name.left(slash);
    if (requested.contains(name))
        return name;
    return std::nullopt;
}

} // namespace

ArchiveResult ExtractArchiveEntries(const QString& archivePath, const QStringList& entryNames, const QString& targetFolder,
                                    const std::function<bool(const QString&)>& confirmOverwrite, QString* failedTarget)
{
    ArchiveHandle archive(archivePath);
    if (!archive.IsOpen())
        return ArchiveResult::Damaged;
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(targetFolder));
    Extraction extraction{archive, OpenFolder(folder), folder, confirmOverwrite, {}, {}};
    if (!extraction.target.IsValid())
        return ArchiveResult::CannotWrite;
    const QSet<QString> requested(entryNames.begin(), entryNames.end());
    QSet<QString> found;
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
        const std::optional<QString> above = name ? RequestedAbove(*name, requested) : std::nullopt;
        if (!above || done.contains(*name))
            continue;
        done.insert(*name);
        found.insert(*above);
        QStringList parts{above->section(QLatin1Char('/'), -1)};
        if (*name != *above)
            parts += name->mid(above->size() + 1).split(QLatin1Char('/'));
        if (archive.IsFile())
            result = extraction.WriteFile(parts);
        else if (archive.IsFolder() && !OpenFolderPath(extraction.target.Get(), parts).IsValid())
            result = ArchiveResult::CannotWrite;
    }
    QString missing;
    for (const QString& name : entryNames)
        if (missing.isEmpty() && !found.contains(name))
            missing = name;
    if (result == ArchiveResult::Ok && !extraction.declined.isEmpty()) {
        result = ArchiveResult::TargetExists;
        extraction.failedTarget = extraction.declined;
    } else if (result == ArchiveResult::Ok && !missing.isEmpty()) {
        result = ArchiveResult::NoSuchEntry;
        extraction.failedTarget = folder + QLatin1Char('/') + missing.section(QLatin1Char('/'), -1);
    }
    if (result != ArchiveResult::Ok && failedTarget)
        *failedTarget = extraction.failedTarget.isEmpty() ? folder : extraction.failedTarget;
    return result;
}

ArchiveResult ExtractArchiveEntry(const QString& archivePath, const QString& entryName, const QString& targetFolder,
                                  bool overwrite, QString* failedTarget)
{
    return ExtractArchiveEntries(archivePath, {entryName}, targetFolder, [overwrite](const QString&) { return overwrite; },
                                 failedTarget);
}
