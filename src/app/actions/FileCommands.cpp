#include "FileCommands.h"

#include "CommandCatalogue.h"

#include "ArchiveExtraction.h"
#include "ArchiveLocation.h"
#include "ArchiveMessages.h"
#include "CreateZipArchive.h"
#include "ExtractZipArchive.h"
#include "FileTransfer.h"
#include "ProgressSink.h"
#include "RarExtraction.h"
#include "RecordSelection.h"
#include "UnpackReport.h"
#include "UserPrompt.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

const QChar Quote = QLatin1Char('"');
const QString QuotedTo = QStringLiteral("\"到\"");
const QString FailedTail = QStringLiteral("\"失败！操作中止。");

// The wait cursor while the RAR tool runs.
class WaitCursor {
public:
    WaitCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString WithTrailingSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// A label that names a file in the same folder: no separator, not "." or "..".
bool IsPlainName(const QString& text)
{
    return !text.isEmpty() && !text.contains(QLatin1Char('/')) && !text.contains(QChar(0))
        && text != QLatin1String(".") && text != QLatin1String("..");
}

} // namespace

FileCommands::FileCommands(UserPrompt& prompt, RecordSelection& selection, ProcessRunner& runner,
                           ProgressSink& progress)
    : m_prompt(prompt), m_selection(selection), m_runner(runner), m_progress(progress),
      m_programFolder(QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString()), m_searchPath(qEnvironmentVariable("PATH"))
{
}

void FileCommands::SetToolSearch(const QString& programFolder, const QString& searchPath)
{
    m_programFolder = programFolder;
    m_searchPath = searchPath;
}

bool FileCommands::RunCommand(int id)
{
    switch (id) {
    case Commands::CopyTo:
    case Commands::ContextCopyTo: CopyToFolder(); return true;
    case Commands::MoveTo:
    case Commands::ContextMoveTo: MoveToFolder(); return true;
    case Commands::Delete: DeleteSelected(); return true;
    case Commands::Rename: RenameSelected(); return true;
    case Commands::Pack: PackIntoZip(); return true;
    case Commands::Unpack: UnpackSelected(); return true;
    default: return false;
    }
}

std::optional<QString> FileCommands::ChooseTargetFolder(const QString& title, const QString& startFolder)
{
    const std::optional<QString> chosen = m_prompt.ChooseFolder(title, startFolder);
    if (!chosen)
        return std::nullopt;
    return WithTrailingSeparator(QDir::cleanPath(QDir::fromNativeSeparators(*chosen)));
}

void FileCommands::ShowFailure(const QString& verb, const QString& source, const QString& target)
{
    QString text = verb + Quote + Native(source);
    if (!target.isEmpty())
        text += QuotedTo + Native(target);
    m_prompt.ShowMessage(UserPrompt::MessageKind::Plain, text + FailedTail);
}

FileCommands::CopyOutcome FileCommands::CopyOne(int row, const QString& folder, OverwriteAnswers& answers)
{
    const QString source = m_selection.Item(row).fullPath;
    const QString target = folder + m_selection.LabelText(row);
    FileResult result = FileTransfer::CopyFile(source, target, false);
    if (result == FileResult::TargetExists) {
        // Declining keeps the player's file and goes on with the rest.
        if (!answers.Confirm(target))
            return CopyOutcome::Declined;
        result = FileTransfer::CopyFile(source, target, true);
    }
    if (result == FileResult::Ok)
        return CopyOutcome::Copied;
    ShowFailure(QStringLiteral("拷贝"), source, target);
    return CopyOutcome::Failed;
}

bool FileCommands::OverwriteAnswers::Confirm(const QString& existing)
{
    const bool replace = Ask(existing);
    m_declined += !replace;
    return replace;
}

bool FileCommands::OverwriteAnswers::Ask(const QString& existing)
{
    if (m_forAll)
        return *m_forAll;
    switch (m_prompt.AskYesNoAll(OverwriteQuestion(existing), UserPrompt::QuestionKind::Cautious)) {
    case UserPrompt::Answer::Yes: return true;
    case UserPrompt::Answer::No: return false;
    case UserPrompt::Answer::YesToAll: m_forAll = true; return true;
    case UserPrompt::Answer::NoToAll: m_forAll = false; return false;
    }
    return false;
}

QString FileCommands::OverwriteQuestion(const QString& existing)
{
    return QStringLiteral("文件已存在，是否覆盖？\n") + Native(existing);
}

QString FileCommands::SkippedFoldersNote(const QStringList& folders)
{
    return folders.isEmpty() ? QString() : QStringLiteral("文件夹不参与此操作，已跳过：") + folders.join(QStringLiteral("、"));
}

QString FileCommands::TransferSummary(const QString& verb, int count, const QString& folder)
{
    return QStringLiteral("已%1 %2 个文件到：\n").arg(verb).arg(count) + Native(QDir::cleanPath(folder));
}

FileCommands::SplitSelection FileCommands::SplitSelected() const
{
    SplitSelection split;
    for (int row : m_selection.SelectedRows()) {
        if (m_selection.Item(row).kind == MgxItemKind::Folder)
            split.folders.append(m_selection.LabelText(row));
        else
            split.files.append(row);
    }
    return split;
}

QString FileCommands::StartFolder() const
{
    // Inside an archive the picker opens in the archive's own folder.
    const QString listed = QDir::fromNativeSeparators(m_selection.CurrentFolder());
    if (const std::optional<ArchiveLocation> archive = LocateArchive(listed))
        return Native(QFileInfo(archive->archivePath).absolutePath());
    return Native(listed);
}

void FileCommands::Tell(const QString& text, const QString& note)
{
    if (text.isEmpty() && note.isEmpty())
        return;
    m_prompt.ShowMessage(UserPrompt::MessageKind::Plain,
                         text.isEmpty() ? note : note.isEmpty() ? text : text + QLatin1Char('\n') + note);
}

bool FileCommands::ExtractAll(const ArchiveLocation& archive, const QList<int>& rows, const QString& folder,
                              OverwriteAnswers& answers)
{
    // One pass over the archive for the whole selection: an archive of thousands of entries is
    // read once, not once per entry.
    QStringList entries;
    for (int row : rows)
        entries.append(archive.EntryName(m_selection.Item(row).name));
    const auto confirmOverwrite = [&answers](const QString& existing) { return answers.Confirm(existing); };
    QString target;
    const ArchiveResult result = ExtractArchiveEntries(archive.archivePath, entries, folder, confirmOverwrite, &target);
    // A file the player chose to keep is no failure: the others went on.
    if (result == ArchiveResult::Ok || (result == ArchiveResult::TargetExists && answers.Declined() > 0))
        return true;
    if (result == ArchiveResult::TooLarge || result == ArchiveResult::Damaged || result == ArchiveResult::NoSpace)
        m_prompt.ShowMessage(UserPrompt::MessageKind::Error, ArchiveMessages::ForResult(result));
    else
        ShowFailure(QStringLiteral("拷贝"), archive.ListingPath() + QLatin1Char('/') + target.section(QLatin1Char('/'), -1), target);
    return false;
}

bool FileCommands::RefusedInArchive()
{
    if (!LocateArchive(m_selection.CurrentFolder()))
        return false;
    if (!m_selection.SelectedRows().isEmpty())
        m_prompt.ShowMessage(UserPrompt::MessageKind::Plain, ArchiveMessages::Refused());
    return true;
}

void FileCommands::CopyToFolder()
{
    const std::optional<ArchiveLocation> archive = LocateArchive(m_selection.CurrentFolder());
    const SplitSelection split = archive ? SplitSelection{m_selection.SelectedRows(), {}} : SplitSelected();
    if (split.files.isEmpty() && !split.folders.isEmpty()) {
        Tell({}, SkippedFoldersNote(split.folders));
        return;
    }
    const std::optional<QString> folder = ChooseTargetFolder(QStringLiteral("拷贝到..."), StartFolder());
    if (!folder)
        return;
    OverwriteAnswers answers(m_prompt);
    if (archive) {
        const WaitCursor wait;
        if (ExtractAll(*archive, split.files, *folder, answers))
            Tell(TransferSummary(QStringLiteral("复制"), int(split.files.size()) - answers.Declined(), *folder), {});
        return;
    }
    int copied = 0;
    bool stopped = false;
    m_progress.Start(QStringLiteral("正在拷贝..."), int(split.files.size()));
    for (int i = 0; i < split.files.size() && !stopped; ++i) {
        if (!m_progress.Advance(i, m_selection.LabelText(split.files[i])))
            break;
        const CopyOutcome outcome = CopyOne(split.files[i], *folder, answers);
        copied += outcome == CopyOutcome::Copied;
        stopped = outcome == CopyOutcome::Failed;
    }
    m_progress.Finish();
    if (!stopped)
        Tell(TransferSummary(QStringLiteral("复制"), copied, *folder), SkippedFoldersNote(split.folders));
}

void FileCommands::MoveToFolder()
{
    if (RefusedInArchive())
        return;
    const std::optional<QString> folder = ChooseTargetFolder(QStringLiteral("移动到..."), StartFolder());
    if (!folder)
        return;
    // Each moved entry leaves the list, so the next one is always the first still selected.
    const int count = int(m_selection.SelectedRows().size());
    int moved = 0;
    m_progress.Start(QStringLiteral("正在移动..."), count);
    for (int i = 0; i < count; ++i) {
        const QList<int> rows = m_selection.SelectedRows();
        if (rows.isEmpty() || !m_progress.Advance(i, m_selection.LabelText(rows.first())))
            break;
        const QString source = m_selection.Item(rows.first()).fullPath;
        const QString target = *folder + m_selection.LabelText(rows.first());
        if (FileTransfer::MoveEntry(source, target) != FileResult::Ok) {
            m_progress.Finish();
            ShowFailure(QStringLiteral("移动"), source, target);
            return;
        }
        m_selection.RemoveRow(rows.first());
        ++moved;
    }
    m_progress.Finish();
    Tell(TransferSummary(QStringLiteral("移动"), moved, *folder), {});
}

void FileCommands::DeleteSelected()
{
    if (RefusedInArchive())
        return;
    const SplitSelection split = SplitSelected();
    int removed = 0; // rows above the current one that have left the list
    for (int original : split.files) {
        const int row = original - removed;
        const QString name = m_selection.LabelText(row);
        if (!m_prompt.AskYesNo(QStringLiteral("确定删除") + Quote + name + QStringLiteral("\"？\n")))
            continue;
        const QString path = m_selection.Item(row).fullPath;
        if (FileTransfer::DeleteFile(path) != FileResult::Ok) {
            ShowFailure(QStringLiteral("删除"), path, QString());
            return;
        }
        m_selection.RemoveRow(row);
        ++removed;
    }
    Tell({}, SkippedFoldersNote(split.folders));
}

void FileCommands::RenameSelected()
{
    if (RefusedInArchive())
        return;
    const QList<int> rows = m_selection.SelectedRows();
    if (!rows.isEmpty())
        m_selection.StartLabelEdit(rows.first());
}

bool FileCommands::FinishRename(int row, const std::optional<QString>& newText)
{
    if (!newText)
        return false;
    const QString source = m_selection.Item(row).fullPath;
    const QString target = source.left(source.lastIndexOf(QLatin1Char('/')) + 1) + *newText;
    if (target == source)
        return false;
    if (!IsPlainName(*newText) || FileTransfer::RenameEntry(source, target) != FileResult::Ok) {
        ShowFailure(QStringLiteral("重命名"), source, target);
        return false;
    }
    m_selection.RenameRow(row, target, *newText);
    return true;
}

void FileCommands::ReportPack(int result, const QString& archivePath, const QString& note)
{
    if (result == ZipPackResult::Cancelled)
        return;
    if (result != ZipPackResult::Done)
        m_prompt.ShowMessage(UserPrompt::MessageKind::Error,
                             QStringLiteral("压缩文件") + Native(archivePath) + QStringLiteral("失败"));
    else
        Tell(QStringLiteral("文件压缩完毕，保存为：\n") + Native(archivePath), note);
}

void FileCommands::PackIntoZip()
{
    if (RefusedInArchive())
        return;
    const SplitSelection split = SplitSelected();
    if (split.files.isEmpty()) {
        Tell({}, SkippedFoldersNote(split.folders));
        return;
    }
    const QString sourceFolder = QDir::fromNativeSeparators(m_selection.CurrentFolder());
    QStringList names;
    for (int row : split.files)
        names.append(m_selection.LabelText(row));
    const std::optional<QString> chosen = m_prompt.ChooseSaveFile(
        QStringLiteral("另存为"), QString(), {QStringLiteral("Zip Files (*.Zip)")}, QStringLiteral("zip"));
    if (!chosen)
        return;
    const QString archivePath = QDir::fromNativeSeparators(*chosen);
    const qsizetype slash = archivePath.lastIndexOf(QLatin1Char('/'));
    const QString zipFolder = slash <= 0 ? QStringLiteral("/") : archivePath.left(slash);
    const QString zipName = archivePath.mid(slash + 1);
    const int result = CreateZipArchive(zipFolder, zipName, sourceFolder, names, 9, &m_progress);
    ReportPack(result, archivePath, SkippedFoldersNote(split.folders));
    if (result == ZipPackResult::Done && QDir::cleanPath(zipFolder) == QDir::cleanPath(sourceFolder))
        m_selection.Refresh();
}

void FileCommands::UnpackSelected()
{
    if (RefusedInArchive())
        return;
    const QList<int> rows = m_selection.SelectedRows();
    if (rows.isEmpty())
        return;
    const QString targetFolder = QDir::fromNativeSeparators(m_selection.CurrentFolder());
    // A file already in the folder is the player's own: it is replaced only when they say so. An
    // answer for all holds for the rest of this unpack.
    OverwriteAnswers answers(m_prompt);
    const auto confirmOverwrite = [&answers](const QString& existing) { return answers.Confirm(existing); };
    UnpackReport report;
    QStringList unreadable;
    bool cancelled = false;
    for (int row : rows) {
        const MgxListItem item = m_selection.Item(row);
        const qsizetype before = report.written + report.failures.size();
        int result = 0;
        if (item.kind == MgxItemKind::Zip) {
            ZipExtractHooks hooks;
            hooks.progress = &m_progress;
            hooks.confirmOverwrite = confirmOverwrite;
            hooks.report = &report;
            result = ExtractZipArchive(item.fullPath, targetFolder, ZipOverwrite::Ask, hooks);
            cancelled = result == ZipUnpackResult::Cancelled;
            if (result == ZipUnpackResult::CannotOpenArchive || result == ZipUnpackResult::CannotReadDirectory
                || result == ZipUnpackResult::CannotStepToNext)
                unreadable.append(Native(item.fullPath));
        } else if (item.kind == MgxItemKind::Rar) {
            const WaitCursor wait;
            result = ExtractRarArchive(item.fullPath, targetFolder, m_runner, m_programFolder, m_searchPath,
                                       confirmOverwrite, &report);
            // A failure that names no entry: the archive or the tool failed as a whole.
            if (result != 0 && report.written + report.failures.size() == before)
                unreadable.append(Native(item.fullPath));
        }
        if (cancelled)
            break;
    }
    m_selection.Refresh();
    if (!cancelled)
        m_prompt.ShowMessage(report.failures.isEmpty() && unreadable.isEmpty() ? UserPrompt::MessageKind::Plain
                                                                                : UserPrompt::MessageKind::Warning,
                             ArchiveMessages::UnpackSummary(report, unreadable));
}
