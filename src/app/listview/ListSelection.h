#pragma once

#include "RecordSelection.h"

class MgxListView;

// The record list's selection as the file commands see it.
class ListSelection : public RecordSelection {
public:
    explicit ListSelection(MgxListView& list) : m_list(list) {}

    QList<int> selectedRows() const override;
    MgxListItem item(int row) const override;
    QString labelText(int row) const override;
    void removeRow(int row) override;
    void renameRow(int row, const QString& fullPath, const QString& name) override;
    void startLabelEdit(int row) override;
    QString currentFolder() const override;
    void refresh() override;

private:
    MgxListView& m_list;
};
