#pragma once

#include "RecordSelection.h"

class MgxListView;

// The record list's selection as the file commands see it.
class ListSelection : public RecordSelection {
public:
    explicit ListSelection(MgxListView& list) : m_list(list) {}

    QList<int> SelectedRows() const override;
    MgxListItem Item(int row) const override;
    QString LabelText(int row) const override;
    void RemoveRow(int row) override;
    void RenameRow(int row, const QString& fullPath, const QString& name) override;
    void StartLabelEdit(int row) override;
    QString CurrentFolder() const override;
    void Refresh() override;

private:
    MgxListView& m_list;
};
