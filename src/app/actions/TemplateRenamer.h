#pragma once

#include "RenamePlan.h"
#include "TemplateSource.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class RecordSelection;
class UserPrompt;

// "按模板重命名..." and "撤销重命名": renames the selected records by a template through the
// no-clobber rename, and keeps the last batch so that it can be undone in one step.
class TemplateRenamer {
public:
    // Shows the template dialog for the sources; the accepted plan, or nothing when cancelled.
    using AskPlan = std::function<std::optional<RenamePlan>(const QString& folder, const QList<TemplateSource>& sources)>;

    TemplateRenamer(UserPrompt& prompt, RecordSelection& selection);

    // Who asks for the plan (the dialog unless set), and how the list is brought up to date
    // after an undo (the list's refresh unless set).
    void SetAskPlan(AskPlan ask) { m_ask = std::move(ask); }
    void SetRelist(std::function<void()> relist) { m_relist = std::move(relist); }

    // The selected record files with their fields, each record read once.
    QList<TemplateSource> SelectedRecords() const;

    // Asks for a plan over the selected records and applies it.
    void RenameSelected();
    // Renames one by one, stops at the first failure with the rename's message; the list rows
    // take the new names. What was done becomes the batch to undo. False on a failure.
    bool Apply(const RenamePlan& plan);

    bool CanUndo() const { return !m_lastBatch.isEmpty(); }
    // Renames the last batch back, last first, without replacing anything; stops at the first
    // failure with the same message, keeping what is still to undo.
    bool Undo();

private:
    void ShowFailure(const RenameRun& run);

    UserPrompt& m_prompt;
    RecordSelection& m_selection;
    AskPlan m_ask;
    std::function<void()> m_relist;
    QList<DoneRename> m_lastBatch;
};
