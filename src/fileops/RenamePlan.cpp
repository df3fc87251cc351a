#include "RenamePlan.h"

#include <QDir>
#include <QHash>

#include <algorithm>

namespace {

// Bytes a name may have on the common Linux and Windows file systems.
constexpr qsizetype MaxNameBytes = 255;

bool IsForbiddenChar(QChar c)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    return c.unicode() < 0x20 || forbidden.contains(c);
}

void MarkInvalid(QList<PlannedRename>& steps)
{
    for (PlannedRename& step : steps) {
        if (step.mark == RenameMark::None && step.Changes() && IsInvalidFileName(step.newName))
            step.mark = RenameMark::InvalidName;
    }
}

void MarkDuplicates(QList<PlannedRename>& steps)
{
    QHash<QString, int> count;
    for (const PlannedRename& step : steps)
        ++count[step.newName];
    for (PlannedRename& step : steps) {
        if (count.value(step.newName) > 1 && step.mark == RenameMark::None)
            step.mark = RenameMark::Clash;
    }
}

// A new name already in the folder is a clash unless the entry holding it is renamed away.
void MarkTaken(QList<PlannedRename>& steps, const QSet<QString>& taken)
{
    QSet<QString> leaving;
    for (const PlannedRename& step : steps) {
        if (step.Changes())
            leaving.insert(step.oldName);
    }
    for (PlannedRename& step : steps) {
        if (step.mark == RenameMark::None && step.Changes() && taken.contains(step.newName)
            && !leaving.contains(step.newName))
            step.mark = RenameMark::Clash;
    }
}

// Puts each step after the step that frees its new name; what is left over waits on itself in
// a cycle and is marked.
QList<PlannedRename> OrderSteps(QList<PlannedRename> steps)
{
    QList<PlannedRename> ordered;
    QSet<QString> pendingOld;
    for (const PlannedRename& step : steps) {
        if (step.Changes())
            pendingOld.insert(step.oldName);
    }
    bool progress = true;
    while (progress) {
        progress = false;
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const PlannedRename& step = steps[i];
            const bool blocked = step.Changes() && step.mark == RenameMark::None && pendingOld.contains(step.newName);
            if (blocked)
                continue;
            pendingOld.remove(step.oldName);
            ordered.append(steps.takeAt(i));
            --i;
            progress = true;
        }
    }
    for (PlannedRename& step : steps) {
        step.mark = RenameMark::Clash;
        ordered.append(step);
    }
    return ordered;
}

QString PathIn(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

bool RenamePlan::HasMarks() const
{
    return std::any_of(steps.begin(), steps.end(), [](const PlannedRename& s) { return s.mark != RenameMark::None; });
}

bool IsInvalidFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.toUtf8().size() > MaxNameBytes)
        return true;
    // Windows drops a trailing dot or space, so the copy there would bear another name.
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return true;
    return std::any_of(name.begin(), name.end(), IsForbiddenChar);
}

RenamePlan PlanRenames(const QString& folder, QList<PlannedRename> steps, const QSet<QString>& taken)
{
    for (PlannedRename& step : steps)
        if (step.mark != RenameMark::Unreadable)
            step.mark = RenameMark::None;
    MarkInvalid(steps);
    MarkDuplicates(steps);
    MarkTaken(steps, taken);
    return {folder, OrderSteps(std::move(steps))};
}

QSet<QString> NamesInFolder(const QString& folder)
{
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return {names.begin(), names.end()};
}

RenameRun ApplyRenamePlan(const RenamePlan& plan)
{
    RenameRun run;
    for (const PlannedRename& step : plan.steps) {
        if (!step.Changes())
            continue;
        const QString from = PathIn(plan.folder, step.oldName);
        const QString to = PathIn(plan.folder, step.newName);
        if (step.mark != RenameMark::None || FileTransfer::RenameEntry(from, to) != FileResult::Ok) {
            run.failed = true;
            run.failedFrom = from;
            run.failedTo = to;
            break;
        }
        run.done.append({step.row, from, to});
    }
    return run;
}

RenameRun UndoRenames(const QList<DoneRename>& done)
{
    RenameRun run;
    for (auto step = done.crbegin(); step != done.crend(); ++step) {
        if (FileTransfer::RenameEntry(step->to, step->from) != FileResult::Ok) {
            run.failed = true;
            run.failedFrom = step->to;
            run.failedTo = step->from;
            break;
        }
        run.done.append({step->row, step->to, step->from});
    }
    return run;
}
