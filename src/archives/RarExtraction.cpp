#include "RarExtraction.h"

#include "PosixFiles.h"
#include "TargetFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>

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

// A fresh, empty folder inside target for the tool to write into.
std::optional<QString> MakeStagingFolder(const QString& target)
{
    QByteArray pattern = Encode(target) + "/.korvale-rar-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return std::nullopt;
    return QFile::decodeName(pattern);
}

// Moves what the tool wrote below staging into the same place below target. A file of the same
// name is replaced only when confirmOverwrite says so; otherwise it stays as it was.
void MoveTree(const QString& staging, const TargetFolder& target, const QStringList& parts,
              const std::function<bool(const QString&)>& confirmOverwrite)
{
    const QFileInfoList entries = QDir(staging).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    UniqueFd folder;
    if (target.openSubfolder(parts, true, folder) != TargetFolder::Outcome::Opened)
        return;
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            continue;
        if (entry.isDir()) {
            MoveTree(entry.filePath(), target, parts + QStringList{entry.fileName()}, confirmOverwrite);
        } else if (entry.isFile()) {
            const QByteArray from = Encode(entry.filePath());
            const QByteArray name = Encode(entry.fileName());
            if (RenameNoReplace(AT_FDCWD, from, folder.get(), name) != EEXIST)
                continue;
            const QString existing = target.path() + QLatin1Char('/') + (parts + QStringList{entry.fileName()}).join(QLatin1Char('/'));
            // Renaming replaces the old file in one step, never leaving half of either.
            if (confirmOverwrite && confirmOverwrite(existing))
                ::renameat(AT_FDCWD, from.constData(), folder.get(), name.constData());
        }
    }
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
        const std::optional<QByteArray> banner = runner.readOutput({*unrar, {}, {}});
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
                      const std::function<bool(const QString&)>& confirmOverwrite)
{
    const std::optional<RarTool> tool = RarExtraction::FindTool(programFolder, searchPath, runner);
    if (!tool)
        return 1;
    const TargetFolder target(targetFolder);
    const std::optional<QString> staging = target.isOpen() ? MakeStagingFolder(targetFolder) : std::nullopt;
    if (!staging)
        return 1;
    const int exitCode = runner.runAndWait(RarExtraction::ExtractCommand(*tool, archive, *staging));
    // A tool that failed may have left a half-written file; only a complete run replaces anything.
    if (exitCode == 0)
        MoveTree(*staging, target, {}, confirmOverwrite);
    QDir(*staging).removeRecursively();
    return exitCode == 0 ? 0 : 1;
}
