#include "TemplateRenamer.h"

#include "ArchiveLocation.h"
#include "ArchiveMessages.h"
#include "RecordLoad.h"
#include "RecordSelection.h"
#include "TemplateRenameDialog.h"
#include "UserPrompt.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

TemplateRenamer::TemplateRenamer(UserPrompt& prompt, RecordSelection& selection)
    : m_prompt(prompt), m_selection(selection)
{
    m_ask = [](const QString& folder, const QList<TemplateSource>& sources) -> std::optional<RenamePlan> {
        TemplateRenameDialog dialog(folder, sources, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Plan();
    };
    m_relist = [this] { m_selection.Refresh(); };
}

QList<TemplateSource> TemplateRenamer::SelectedRecords() const
{
    QList<TemplateSource> sources;
    Mgx::RecordReader reader;
    for (const int row : m_selection.SelectedRows()) {
        const MgxListItem item = m_selection.Item(row);
        if (item.kind != MgxItemKind::Record)
            continue;
        const RecordLoad load = LoadRecordForList(reader, item.fullPath);
        const QDateTime time = QFileInfo(item.fullPath).lastModified();
        sources.append({row, item.name, RenameFieldsOf(load.record.get(), item.name, time)});
    }
    return sources;
}

void TemplateRenamer::RenameSelected()
{
    if (LocateArchive(m_selection.CurrentFolder())) {
        m_prompt.ShowMessage(UserPrompt::MessageKind::Plain, ArchiveMessages::Refused());
        return;
    }
    const QList<TemplateSource> sources = SelectedRecords();
    if (sources.isEmpty())
        return;
    const std::optional<RenamePlan> plan = m_ask(m_selection.CurrentFolder(), sources);
    if (plan && !plan->HasMarks())
        Apply(*plan);
}

bool TemplateRenamer::Apply(const RenamePlan& plan)
{
    const RenameRun run = ApplyRenamePlan(plan);
    for (const DoneRename& step : run.done)
        m_selection.RenameRow(step.row, step.to, QFileInfo(step.to).fileName());
    if (!run.done.isEmpty())
        m_lastBatch = run.done;
    if (run.failed)
        ShowFailure(run);
    return !run.failed;
}

bool TemplateRenamer::Undo()
{
    const RenameRun run = UndoRenames(m_lastBatch);
    // Undone steps leave the batch from its end; what failed stays to be tried again.
    m_lastBatch.resize(m_lastBatch.size() - run.done.size());
    if (!run.done.isEmpty())
        m_relist();
    if (run.failed)
        ShowFailure(run);
    return !run.failed;
}

void TemplateRenamer::ShowFailure(const RenameRun& run)
{
    const QChar quote = QLatin1Char('"');
    m_prompt.ShowMessage(UserPrompt::MessageKind::Plain,
                         QStringLiteral("重命名") + quote + QDir::toNativeSeparators(run.failedFrom)
                             + QStringLiteral("\"到\"") + QDir::toNativeSeparators(run.failedTo)
                             + QStringLiteral("\"失败！操作中止。"));
}
