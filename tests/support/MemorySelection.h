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
    void Add(const QString& name, MgxItemKind kind = MgxItemKind::Record, bool selected = true)
    {
        MgxListItem item;
        item.fullPath = folder + QLatin1Char('/') + name;
        item.kind = kind;
        item.name = name;
        rows.append({item, name, selected});
    }

    QStringList Labels() const
    {
        QStringList texts;
        for (const Row& row : rows)
            texts.append(row.label);
        return texts;
    }

    QList<int> SelectedRows() const override
    {
        QList<int> selected;
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].selected)
                selected.append(i);
        return selected;
    }
    MgxListItem Item(int row) const override { return rows.at(row).item; }
    QString LabelText(int row) const override { return rows.at(row).label; }
    void RemoveRow(int row) override { rows.removeAt(row); }
    void RenameRow(int row, const QString& fullPath, const QString& name) override
    {
        rows[row].item.fullPath = fullPath;
        rows[row].item.name = name;
        rows[row].label = name;
    }
    void StartLabelEdit(int row) override { editStarted.append(row); }
    QString CurrentFolder() const override { return folder; }
    void Refresh() override { ++refreshCount; }
};
