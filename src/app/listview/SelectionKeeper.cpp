#include "SelectionKeeper.h"

#include "RecordListModel.h"

#include <QListView>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QTreeView>

SelectionKeeper::SelectionKeeper(RecordListModel& model, QTreeView& report, QListView& list)
    : m_model(model)
    , m_report(report)
    , m_list(list)
{
}

void SelectionKeeper::Remember()
{
    m_selected.clear();
    for (const QModelIndex& index : m_report.selectionModel()->selectedRows())
        m_selected.append(m_model.Item(index.row()).fullPath);
    const QModelIndex current = m_report.selectionModel()->currentIndex();
    m_current = current.isValid() ? m_model.Item(current.row()).fullPath : QString();
    m_scroll = {m_report.verticalScrollBar()->value(), m_report.horizontalScrollBar()->value(),
                m_list.verticalScrollBar()->value(), m_list.horizontalScrollBar()->value()};
}

void SelectionKeeper::Restore()
{
    const QSet<QString> selected(m_selected.begin(), m_selected.end());
    QItemSelectionModel* selection = m_report.selectionModel();
    const QSignalBlocker quiet(selection);
    QItemSelection rows;
    for (int row = 0; row < m_model.rowCount(); ++row) {
        const QString& path = m_model.Item(row).fullPath;
        if (selected.contains(path))
            rows.select(m_model.index(row, 0), m_model.index(row, RecordListModel::ColumnCount - 1));
        if (path == m_current)
            selection->setCurrentIndex(m_model.index(row, 0), QItemSelectionModel::NoUpdate);
    }
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
    // The scroll ranges follow the new rows only once the views are laid out.
    m_report.doItemsLayout();
    m_list.doItemsLayout();
    m_report.verticalScrollBar()->setValue(m_scroll[0]);
    m_report.horizontalScrollBar()->setValue(m_scroll[1]);
    m_list.verticalScrollBar()->setValue(m_scroll[2]);
    m_list.horizontalScrollBar()->setValue(m_scroll[3]);
    m_report.viewport()->update();
    m_list.viewport()->update();
}
