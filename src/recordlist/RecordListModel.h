#pragma once

#include "LibraryColumns.h"
#include "MgxListItem.h"
#include "RecordListSort.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QSet>

#include <array>

// The entries of the current folder as the list's three columns ("名称", "大小", "最后修改日期"),
// with the kind's picture beside the name, and the extra columns (LibraryColumns) filled from the
// library index as its summaries arrive. The model owns one MgxListItem per row.
class RecordListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        NameColumn = 0,
        SizeColumn = 1,
        TimeColumn = 2,
        BaseColumnCount = 3, // the columns every listing has; the header-state block covers these
        ColumnCount = LibraryColumns::End,
    };

    explicit RecordListModel(QObject* parent = nullptr);

    // Replaces every entry, sorted once by the state; a filter in force ends.
    void SetItems(QList<MgxListItem> items, SortState state);
    // Shows only the listing's folders, its records whose library key is in `keys`, and the
    // `extra` entries (matches from folders below), sorted like the listing.
    void ApplyFilter(const QSet<QString>& keys, QList<MgxListItem> extra);
    // Replaces the listing after a change on disk; a filter in force stays in force over it.
    void UpdateListing(QList<MgxListItem> items);
    // Shows the whole listing again.
    void ClearFilter();
    bool IsFiltered() const { return m_filtered; }
    // The rows shown that are not folders.
    int ShownFileCount() const;
    // Re-sorts the entries; selections and the current entry follow their rows.
    void Sort(SortState state);
    SortState CurrentSort() const { return m_sortState; }

    // Takes the index's summaries: rows of those records show their values from now on (one
    // dataChanged per row, so selection and scroll stay), and later listings find them too.
    void AddSummaries(const QList<LibrarySummary>& summaries, const SearchNames& names);
    // Forgets the values kept for later listings; the rows shown keep theirs.
    void ClearColumnValues() { m_columnValues.clear(); }

    const MgxListItem& Item(int row) const { return m_items[row]; }
    const QList<MgxListItem>& Items() const { return m_items; }
    // The whole listing, also while a filter shows only part of it.
    const QList<MgxListItem>& Listing() const { return m_filtered ? m_listing : m_items; }
    void RemoveItem(int row);
    // After a rename: the entry's new path and name (column 0); the rest stays.
    void UpdateItemName(int row, const QString& fullPath, const QString& name);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The picture of a kind at 16 x 16 and 32 x 32; kind 0 shares the folder's.
    static QIcon KindIcon(MgxItemKind kind);

private:
    QVariant DisplayText(const MgxListItem& item, int column) const;

    void ShowItems(QList<MgxListItem> items);
    void ReshowItems(QList<MgxListItem> items);
    QList<MgxListItem> FilteredRows() const;
    void FillColumnValues(QList<MgxListItem>& items) const;

    QList<MgxListItem> m_items;   // the rows shown
    QList<MgxListItem> m_listing; // the whole listing while a filter is in force, sorted
    QSet<QString> m_filterKeys;    // the library keys of the listing's records that match
    QList<MgxListItem> m_filterExtra; // the matches from folders below, sorted
    QHash<QString, LibraryColumnValues> m_columnValues; // by library key
    SortState m_sortState;
    bool m_filtered = false;
    std::array<QIcon, 5> m_icons;
};
