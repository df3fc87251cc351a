#include "RarExtraction.h"

#include "ArchiveResult.h"
#include "ArchiveUnpack.h"
#include "PosixFiles.h"
#include "TargetFolder.h"
#include "TemporaryNames.h"
#include "UnpackReport.h"
#include "ZipEntryName.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace PosixFiles;

namespace {

std::optional<QString> ExecutableIn(const QString& folder, const QString& name)
{
    const QFileInfo file(folder + QLatin1Char('/') + name);
    if (file.isFile() && file.isExecutable())
        return file.absoluteFilePath();
    return std::nullopt;
}

std::optional<QString> ExecutableOnPath(const QString& searchPath, const QString& name)
{
    const QStringList folders = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const QString found = QStandardPaths::findExecutable(name, folders);
    return found.isEmpty() ? std::nullopt : std::optional<QString>(found);
}

// A fresh, empty folder inside target for the tool to write into, named after this process so
// that one a killed run left behind can be told apart and removed.
std::optional<QString> MakeStagingFolder(const QString& target)
{
    QByteArray pattern = Encode(target) + '/' + TemporaryNames::StagingPrefix() + "XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return std::nullopt;
    return QFile::decodeName(pattern);
}

// The names in an open folder, as bytes: a name in another encoding than the locale's (the GBK the
// tool writes) must be moved by the bytes it has, never by a decoded and re-encoded form.
QList<QByteArray> NamesIn(int folder)
{
    QList<QByteArray> names;
    const int copy = ::dup(folder);
    DIR* listing = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!listing) {
        if (copy >= 0)
            ::close(copy);
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(listing);
    return names;
}

// Moves what the tool wrote below the staging folder into the same place below the open folder
// `into`; `shownPath` is that folder's path as the user reads it. Folders are entered by their bytes
// and never through a link. A file of the same name is replaced only when confirmOverwrite says
// so; otherwise it stays as it was.
void MoveTree(int staging, int into, const QString& shownPath, const std::function<bool(const QString&)>& confirmOverwrite,
              UnpackReport* report)
{
    for (const QByteArray& name : NamesIn(staging)) {
        struct stat info {};
        if (::fstatat(staging, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        // Shown and asked about as the archive listing decodes the name; moved by its bytes.
        const QString shown = shownPath + QLatin1Char('/') + ZipEntryName::Decode(name, 0, {});
        const auto fail = [&](EntryFailure why) {
            if (report)
                report->Fail(shown, why);
        };
        if (S_ISDIR(info.st_mode)) {
            UniqueFd inner(::openat(staging, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (::mkdirat(into, name.constData(), 0777) != 0 && errno != EEXIST) {
                fail(FailureFromErrno(errno));
                continue;
            }
            UniqueFd target(::openat(into, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (!inner.IsValid() || !target.IsValid())
                fail(EntryFailure::Clash);
            else
                MoveTree(inner.Get(), target.Get(), shown, confirmOverwrite, report);
            continue;
        }
        if (!S_ISREG(info.st_mode) || quint64(info.st_size) > quint64(MaxArchiveEntrySize)) {
            fail(S_ISREG(info.st_mode) ? EntryFailure::TooLarge : EntryFailure::HostileName);
            continue;
        }
        int moved = RenameNoReplace(staging, name, into, name);
        if (moved == EEXIST) {
            // Renaming replaces the old file in one step, never leaving half of either.
            if (!confirmOverwrite || !confirmOverwrite(shown))
                continue;
            moved = ::renameat(staging, name.constData(), into, name.constData()) == 0 ? 0 : errno;
        }
        if (moved != 0)
            fail(FailureFromErrno(moved));
        else if (report)
            ++report->written;
    }
}

int RunTool(const QString& archive, const QString& targetFolder, ProcessRunner& runner, const QString& programFolder,
            const QString& searchPath, const std::function<bool(const QString&)>& confirmOverwrite, UnpackReport* report)
{
    const std::optional<RarTool> tool = RarExtraction::FindTool(programFolder, searchPath, runner);
    if (!tool)
        return 1;
    const TargetFolder target(targetFolder);
    const std::optional<QString> staging = target.IsOpen() ? MakeStagingFolder(targetFolder) : std::nullopt;
    if (!staging)
        return 1;
    const int exitCode = runner.RunAndWait(RarExtraction::ExtractCommand(*tool, archive, *staging));
    // A tool that failed may have left a half-written file; only a complete run replaces anything.
    if (exitCode == 0) {
        const UniqueFd stagingFolder = OpenFolder(*staging);
        if (stagingFolder.IsValid())
            MoveTree(stagingFolder.Get(), target.Fd(), target.Path(), confirmOverwrite, report);
    }
    QDir(*staging).removeRecursively();
    return exitCode == 0 ? 0 : 1;
}

} // namespace

namespace RarExtraction {

ProcessCommand ExtractCommand(const RarTool& tool, const QString& archive, const QString& target)
{
    if (tool.kind == RarTool::Kind::Bsdtar)
        return {tool.program, {QStringLiteral("-x"), QStringLiteral("-f"), archive, QStringLiteral("-C"), target}, {}};
    const QString folder = target.endsWith(QLatin1Char('/')) ? target : target + QLatin1Char('/');
    return {tool.program,
            {QStringLiteral("x"), QStringLiteral("-o+"), QStringLiteral("-inul"), archive, folder},
            QFileInfo(tool.program).absolutePath()};
}

bool IsRarlabBanner(const QByteArray& output)
{
    return output.contains("UNRAR ") && output.contains("Alexander Roshal");
}

std::optional<RarTool> FindTool(const QString& programFolder, const QString& searchPath, ProcessRunner& runner)
{
    if (const std::optional<QString> beside = ExecutableIn(programFolder, QStringLiteral("unrar")))
        return RarTool{RarTool::Kind::Unrar, *beside};
    if (const std::optional<QString> unrar = ExecutableOnPath(searchPath, QStringLiteral("unrar"))) {
        const std::optional<QByteArray> banner = runner.ReadOutput({*unrar, {}, {}});
        if (banner && IsRarlabBanner(*banner))
            return RarTool{RarTool::Kind::Unrar, *unrar};
    }
    if (const std::optional<QString> bsdtar = ExecutableOnPath(searchPath, QStringLiteral("bsdtar")))
        return RarTool{RarTool::Kind::Bsdtar, *bsdtar};
    return std::nullopt;
}

} // namespace RarExtraction

int ExtractRarArchive(const QString& archive, const QString& targetFolder, ProcessRunner& runner,
                      const QString& programFolder, const QString& searchPath,
                      const std::function<bool(const QString&)>& confirmOverwrite, UnpackReport* report)
{
    UnpackReport own;
    UnpackReport& filled = report ? *report : own;
    switch (UnpackArchive(archive, targetFolder, confirmOverwrite, nullptr, filled)) {
    case ArchiveUnpackResult::Done: return 0;
    case ArchiveUnpackResult::SomeEntriesFailed:
    case ArchiveUnpackResult::Cancelled: return 1;
    case ArchiveUnpackResult::Unreadable: break;
    }
    return RunTool(archive, targetFolder, runner, programFolder, searchPath, confirmOverwrite, report);
}
