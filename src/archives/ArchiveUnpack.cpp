#include "ArchiveUnpack.h"

#include "ArchiveHandle.h"
#include "PosixFiles.h"
#include "ProgressSink.h"
#include "TargetFolder.h"
#include "UnpackReport.h"

#include <QSet>

#include <cerrno>

using namespace PosixFiles;

namespace {

struct Unpack {
    ArchiveHandle& archive;
    const TargetFolder& target;
    const std::function<bool(const QString&)>& confirmOverwrite;
    UnpackReport& report;
    QSet<QString> written; // an archive that names a file twice does not replace its own first one

    // Opens the folder of parts below the target, creating what is missing; the reason otherwise.
    std::optional<EntryFailure> OpenFolder(const QStringList& parts, UniqueFd& folder) const
    {
        const TargetFolder::Outcome opened = target.OpenSubfolder(parts, true, folder);
        if (opened == TargetFolder::Outcome::Opened)
            return std::nullopt;
        return opened == TargetFolder::Outcome::Refused ? EntryFailure::HostileName : FailureFromErrno(errno);
    }

    std::optional<EntryFailure> WriteFile(const QStringList& parts)
    {
        UniqueFd folder;
        if (const std::optional<EntryFailure> failed = OpenFolder(parts.mid(0, parts.size() - 1), folder))
            return failed;
        const std::optional<quint64> declared = archive.DeclaredSize();
        if (declared && *declared > quint64(MaxArchiveEntrySize))
            return EntryFailure::TooLarge;
        const std::optional<quint64> free = FreeBytes(folder.Get());
        if (declared && free && *declared > *free)
            return EntryFailure::NoSpace;
        const QString key = parts.join(QLatin1Char('/'));
        if (written.contains(key))
            return EntryFailure::Clash;
        const QByteArray name = Encode(parts.last());
        const bool exists = ExistsAt(folder.Get(), name);
        const QString path = target.Path() + QLatin1Char('/') + parts.join(QLatin1Char('/'));
        if (exists && !(confirmOverwrite && confirmOverwrite(path)))
            return std::nullopt; // kept at the user's word
        std::vector<std::uint8_t> bytes;
        switch (archive.ReadData(bytes)) {
        case ArchiveResult::Ok: break;
        case ArchiveResult::TooLarge: return EntryFailure::TooLarge;
        default: return EntryFailure::Damaged;
        }
        if (free && bytes.size() > *free)
            return EntryFailure::NoSpace;
        const QDateTime time = archive.Time();
        const int placed = PlaceBytes(folder.Get(), name, reinterpret_cast<const char*>(bytes.data()), bytes.size(), exists,
                                      time.isValid() ? std::optional<qint64>(time.toSecsSinceEpoch()) : std::nullopt);
        if (placed != 0)
            return FailureFromErrno(placed);
        ++report.written;
        written.insert(key);
        return std::nullopt;
    }

    // One entry; false when it failed (and was reported).
    bool Entry()
    {
        const std::optional<QString> name = archive.CleanName();
        if (!name) {
            report.Fail(archive.ShownName(), EntryFailure::HostileName);
            return false;
        }
        const QStringList parts = name->split(QLatin1Char('/'));
        std::optional<EntryFailure> failed;
        UniqueFd folder;
        if (archive.IsFolder())
            failed = OpenFolder(parts, folder);
        else if (archive.IsFile())
            failed = WriteFile(parts);
        else
            failed = EntryFailure::HostileName; // links and devices are never unpacked
        if (failed)
            report.Fail(*name, *failed);
        return !failed;
    }
};

} // namespace

ArchiveUnpackResult UnpackArchive(const QString& archivePath, const QString& targetFolder,
                                  const std::function<bool(const QString&)>& confirmOverwrite, ProgressSink* progress,
                                  UnpackReport& report)
{
    ArchiveHandle archive(archivePath);
    const TargetFolder target(targetFolder);
    if (!archive.IsOpen())
        return ArchiveUnpackResult::Unreadable;
    ArchiveHandle::Step step = archive.Next();
    if (step == ArchiveHandle::Step::Failed)
        return ArchiveUnpackResult::Unreadable;
    if (!target.IsOpen()) {
        report.Fail(targetFolder, EntryFailure::CannotWrite);
        return ArchiveUnpackResult::SomeEntriesFailed;
    }
    Unpack unpack{archive, target, confirmOverwrite, report, {}};
    if (progress)
        progress->Start(QStringLiteral("正在解压缩..."), 0);
    bool allDone = true;
    ArchiveUnpackResult result = ArchiveUnpackResult::Done;
    for (int i = 0; step == ArchiveHandle::Step::Entry; ++i, step = archive.Next()) {
        if (progress && !progress->Advance(i, archive.ShownName())) {
            result = ArchiveUnpackResult::Cancelled;
            break;
        }
        allDone = unpack.Entry() && allDone;
    }
    if (step == ArchiveHandle::Step::Failed) {
        // The archive is cut or damaged past here: the entries after cannot be found.
        report.Fail(archivePath.section(QLatin1Char('/'), -1), EntryFailure::Damaged);
        allDone = false;
    }
    if (progress)
        progress->Finish();
    if (result == ArchiveUnpackResult::Cancelled)
        return result;
    return allDone ? ArchiveUnpackResult::Done : ArchiveUnpackResult::SomeEntriesFailed;
}
