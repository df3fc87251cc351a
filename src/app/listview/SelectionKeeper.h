#pragma once

#include <QStringList>

#include <array>

class QListView;
class QTreeView;
class RecordListModel;

// Keeps the selection, the current row and the scroll position of the list's two views across a
// listing of the same place: rows are found again by path, whatever their new order.
class SelectionKeeper {
public:
    SelectionKeeper(RecordListModel& model, QTreeView& report, QListView& list);

    void Remember();
    // Puts back what Remember saw without a current-row change being heard: the rows are the same,
    // so nothing is to be loaded again.
    void Restore();

private:
    RecordListModel& m_model;
    QTreeView& m_report;
    QListView& m_list;
    QStringList m_selected;
    QString m_current;
    std::array<int, 4> m_scroll{};
};
