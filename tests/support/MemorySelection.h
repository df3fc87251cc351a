#pragma once

#include "RecordSelection.h"

#include <QList>
#include <QStringList>

// The record list as a plain list of entries, for the file commands' tests.
class MemorySelection : public RecordSelection {
public:
    struct Row {
        MgxListItem item;
        QString label;
        bool selected = false;
    };

    QList<Row> rows;
    QString folder;
    int refreshCount = 0;
    QList<int> editStarted;

    // Adds folder/name as a selected entry of the given kind.
    void add(const QString& name, MgxItemKind kind = MgxItemKind::Record, bool selected = true)
    {
        MgxListItem item;
        item.fullPath = folder + QLatin1Char('/') + name;
        item.kind = kind;
        item.name = name;
        rows.append({item, name, selected});
    }

    QStringList labels() const
    {
        QStringList texts;
        for (const Row& row : rows)
            texts.append(row.label);
        return texts;
    }

    QList<int> selectedRows() const override
    {
        QList<int> selected;
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].selected)
                selected.append(i);
        return selected;
    }
    MgxListItem item(int row) const override { return rows.at(row).item; }
    QString labelText(int row) const override { return rows.at(row).label; }
    void removeRow(int row) override { rows.removeAt(row); }
    void renameRow(int row, const QString& fullPath, const QString& name) override
    {
        rows[row].item.fullPath = fullPath;
        rows[row].item.name = name;
        rows[row].label = name;
    }
    void startLabelEdit(int row) override { editStarted.append(row); }
    QString currentFolder() const override { return folder; }
    void refresh() override { ++refreshCount; }
};
