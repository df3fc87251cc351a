#pragma once

#include "LibraryColumns.h"
#include "ListHeaderLayout.h"
#include "RecordListSort.h"

#include <QObject>

#include <array>

class QMenu;
class QTreeView;
class QWidget;
class RecordListModel;

// The report view's columns: their layout applied from and read back into a ListHeaderLayout,
// the sort order with its indicator, the extra columns switched from the header's menu, and the
// fitting of the columns to their content while no layout was stored.
class ListColumns : public QObject {
    Q_OBJECT

public:
    ListColumns(QTreeView& report, RecordListModel& model, QObject* parent = nullptr);

    void Apply(const ListHeaderLayout& layout);
    ListHeaderLayout Current() const;

    // While on, the shown columns take the width their content needs and the name column what is
    // left of the view; a width set by hand turns it off.
    void SetFitToContent(bool fit) { m_fit = fit; }
    bool FitsToContent() const { return m_fit; }
    void Fit();

    // The same as a click on that header column.
    void SortByColumn(int column);
    SortState Sort() const { return m_sort; }

    void SetExtraColumnShown(int column, bool shown);
    bool IsExtraColumnShown(int column) const;
    // The header's context menu: one checkable entry per extra column.
    QMenu* CreateColumnMenu(QWidget* parent);

private:
    void UpdateSortIndicator();

    QTreeView& m_report;
    RecordListModel& m_model;
    SortState m_sort;
    std::array<int, LibraryColumns::Count> m_extraWidths{}; // a hidden section reports no width
    bool m_fit = false;
    bool m_fitting = false;
};
