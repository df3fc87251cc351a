#include "ListColumns.h"

#include "RecordListModel.h"

#include <QHeaderView>
#include <QMenu>
#include <QTreeView>

#include <algorithm>

namespace {

// Columns fitted to their content are never narrower than this.
constexpr int kMinimumFittedWidth = 60;

} // namespace

ListColumns::ListColumns(QTreeView& report, RecordListModel& model, QObject* parent)
    : QObject(parent)
    , m_report(report)
    , m_model(model)
{
    QHeaderView* header = m_report.header();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    Apply(ListHeaderLayout());
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int newSize) {
        if (LibraryColumns::IsExtraColumn(column) && newSize > 0)
            m_extraWidths[static_cast<std::size_t>(column - LibraryColumns::First)] = newSize;
        if (!m_fitting)
            m_fit = false;
    });
    connect(header, &QHeaderView::sectionClicked, this, &ListColumns::SortByColumn);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint& pos) {
        QMenu* menu = CreateColumnMenu(header);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(header->mapToGlobal(pos));
    });
}

void ListColumns::Apply(const ListHeaderLayout& layout)
{
    const bool fit = m_fit;
    m_sort = layout.sort;
    QHeaderView* header = m_report.header();
    for (int column = 0; column < layout.sections.size(); ++column) {
        header->setSectionHidden(column, false);
        header->resizeSection(column, layout.sections[column].width);
        header->setSectionHidden(column, !layout.sections[column].visible);
    }
    for (int position = 0; position < layout.order.size(); ++position)
        header->moveSection(header->visualIndex(layout.order[position]), position);
    m_fit = fit;
    UpdateSortIndicator();
}

ListHeaderLayout ListColumns::Current() const
{
    ListHeaderLayout layout;
    layout.sort = m_sort;
    const QHeaderView* header = m_report.header();
    for (int column = 0; column < layout.sections.size(); ++column) {
        const bool extra = LibraryColumns::IsExtraColumn(column);
        const int width = extra ? m_extraWidths[static_cast<std::size_t>(column - LibraryColumns::First)]
                                : header->sectionSize(column);
        layout.sections[column] = {!header->isSectionHidden(column), width};
        layout.order[header->visualIndex(column)] = column;
    }
    return layout;
}

// A name cut to "aoc10c_…" tells nothing: the name column comes first in the sharing out.
void ListColumns::Fit()
{
    if (!m_fit || m_model.rowCount() == 0)
        return;
    QHeaderView* header = m_report.header();
    QList<int> columns;
    QList<int> content;
    m_fitting = true;
    for (int position = 0; position < header->count(); ++position) {
        const int column = header->logicalIndex(position);
        if (header->isSectionHidden(column))
            continue;
        m_report.resizeColumnToContents(column);
        const int needed = header->sectionSize(column);
        columns.insert(column == RecordListModel::NameColumn ? 0 : columns.size(), column);
        content.insert(column == RecordListModel::NameColumn ? 0 : content.size(), needed);
    }
    const QList<int> widths = ListHeaderLayout::FitToContent(content, m_report.viewport()->width(), kMinimumFittedWidth);
    for (int i = 0; i < columns.size(); ++i)
        header->resizeSection(columns[i], widths[i]);
    m_fitting = false;
}

void ListColumns::SortByColumn(int column)
{
    if (column < 0 || column >= RecordListModel::ColumnCount)
        return;
    m_sort = ClickColumn(m_sort, column);
    UpdateSortIndicator();
}

void ListColumns::UpdateSortIndicator()
{
    // A reversed name column runs Z to A: shown as descending.
    const Qt::SortOrder order = m_sort.Reverse() ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_report.header()->setSortIndicator(m_sort.Column(), order);
    m_model.Sort(m_sort);
}

void ListColumns::SetExtraColumnShown(int column, bool shown)
{
    if (LibraryColumns::IsExtraColumn(column))
        m_report.header()->setSectionHidden(column, !shown);
}

bool ListColumns::IsExtraColumnShown(int column) const
{
    return LibraryColumns::IsExtraColumn(column) && !m_report.header()->isSectionHidden(column);
}

QMenu* ListColumns::CreateColumnMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("columnMenu"));
    for (int column = LibraryColumns::First; column < LibraryColumns::End; ++column) {
        QAction* action = menu->addAction(LibraryColumns::HeaderText(column));
        action->setCheckable(true);
        action->setChecked(IsExtraColumnShown(column));
        action->setData(column);
        connect(action, &QAction::toggled, this, [this, column](bool shown) { SetExtraColumnShown(column, shown); });
    }
    return menu;
}
