#include "ListSelection.h"

#include "MgxListView.h"
#include "ListNavigation.h"

QList<int> ListSelection::selectedRows() const { return m_list.SelectedRows(); }

MgxListItem ListSelection::item(int row) const { return m_list.Item(row); }

QString ListSelection::labelText(int row) const { return m_list.ItemText(row); }

void ListSelection::removeRow(int row) { m_list.RemoveRow(row); }

void ListSelection::renameRow(int row, const QString& fullPath, const QString& name) { m_list.UpdateRow(row, fullPath, name); }

void ListSelection::startLabelEdit(int row) { m_list.EditRow(row); }

QString ListSelection::currentFolder() const { return m_list.Navigation().CurrentFolder(); }

void ListSelection::refresh() { m_list.Navigation().Refresh(); }
