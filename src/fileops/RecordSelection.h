#pragma once

#include "MgxListItem.h"

#include <QList>
#include <QString>

// What the file commands need of the record list: its selection, the entries behind it and the
// few changes a command makes to it. Rows are the list's rows as shown, 0-based.
class RecordSelection {
public:
    virtual ~RecordSelection() = default;

    // The selected rows in list order.
    virtual QList<int> SelectedRows() const = 0;
    virtual MgxListItem Item(int row) const = 0;
    // The text shown in column 0 of the row.
    virtual QString LabelText(int row) const = 0;
    // Removes the row and its entry; the rows below move up by one.
    virtual void RemoveRow(int row) = 0;
    // After a rename: the entry's new full path and name, and the new column-0 text.
    virtual void RenameRow(int row, const QString& fullPath, const QString& name) = 0;
    // Starts the in-place edit of the row's label; its end comes back through FinishRename.
    virtual void StartLabelEdit(int row) = 0;
    // The folder the list shows.
    virtual QString CurrentFolder() const = 0;
    // Lists the current folder again.
    virtual void Refresh() = 0;
};
