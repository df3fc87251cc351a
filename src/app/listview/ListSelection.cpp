#include "ListSelection.h"

#include "MgxListView.h"
#include "ListNavigation.h"

QList<int> ListSelection::SelectedRows() const { return m_list.SelectedRows(); }

MgxListItem ListSelection::Item(int row) const { return m_list.Item(row); }

QString ListSelection::LabelText(int row) const { return m_list.ItemText(row); }

void ListSelection::RemoveRow(int row) { m_list.RemoveRow(row); }

void ListSelection::RenameRow(int row, const QString& fullPath, const QString& name) { m_list.UpdateRow(row, fullPath, name); }

void ListSelection::StartLabelEdit(int row) { m_list.EditRow(row); }

QString ListSelection::CurrentFolder() const { return m_list.Navigation().CurrentFolder(); }

void ListSelection::Refresh() { m_list.Navigation().Refresh(); }
