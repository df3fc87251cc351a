#include "RecordListModel.h"

#include "KorvaleArtwork.h"
#include "LibrarySummary.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace {

// Names and texts read from the left; sizes, times and counts from the right.
Qt::Alignment ColumnAlignment(int column)
{
    const bool left = column == RecordListModel::NameColumn || column == LibraryColumns::Players
                      || column == LibraryColumns::Map || column == LibraryColumns::Version;
    return (left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

// Icon numbers by kind: 0 and 1 both show the folder.
constexpr std::array<int, 5> kKindIconNumbers{142, 142, 143, 145, 146};

void LoadArtwork()
{
    static const bool loaded = [] {
        InitKorvaleArtwork();
        return true;
    }();
    (void)loaded;
}

} // namespace

RecordListModel::RecordListModel(QObject* parent) : QAbstractTableModel(parent)
{
    for (std::size_t kind = 0; kind < m_icons.size(); ++kind)
        m_icons[kind] = KindIcon(static_cast<MgxItemKind>(kind));
}

QIcon RecordListModel::KindIcon(MgxItemKind kind)
{
    LoadArtwork();
    const auto index = static_cast<std::size_t>(kind);
    if (index >= kKindIconNumbers.size())
        return {};
    const int number = kKindIconNumbers[index];
    QIcon icon;
    icon.addFile(QStringLiteral(":/listicons/icon-%1.png").arg(number), QSize(16, 16));
    icon.addFile(QStringLiteral(":/listicons/icon-%1-32.png").arg(number), QSize(32, 32));
    return icon;
}

void RecordListModel::SetItems(QList<MgxListItem> items, SortState state)
{
    m_sortState = state;
    m_filtered = false;
    m_listing.clear();
    m_filterKeys.clear();
    m_filterExtra.clear();
    FillColumnValues(items);
    SortListItems(items, state);
    ShowItems(std::move(items));
}

void RecordListModel::ShowItems(QList<MgxListItem> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

// A query narrowed or widened, a batch indexed, a change on disk: the selection and the current
// entry stay on their entries where those are still shown, so the list does not forget what the
// player picked while the search goes on.
void RecordListModel::ReshowItems(QList<MgxListItem> items)
{
    Q_EMIT layoutAboutToBeChanged();
    QHash<QString, int> rowOf;
    rowOf.reserve(items.size());
    for (int row = 0; row < items.size(); ++row)
        rowOf.insert(items[row].fullPath, row);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const int row = index.row() < m_items.size() ? rowOf.value(m_items[index.row()].fullPath, -1) : -1;
        after.append(row < 0 ? QModelIndex() : createIndex(row, index.column()));
    }
    m_items = std::move(items);
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

void RecordListModel::ApplyFilter(const QSet<QString>& keys, QList<MgxListItem> extra)
{
    if (!m_filtered) {
        m_listing = m_items;
        SortListItems(m_listing, m_sortState);
        m_filtered = true;
    }
    m_filterKeys = keys;
    FillColumnValues(extra);
    SortListItems(extra, m_sortState);
    m_filterExtra = std::move(extra);
    ReshowItems(FilteredRows());
}

void RecordListModel::UpdateListing(QList<MgxListItem> items)
{
    if (!m_filtered) {
        SetItems(std::move(items), m_sortState);
        return;
    }
    FillColumnValues(items);
    SortListItems(items, m_sortState);
    m_listing = std::move(items);
    ReshowItems(FilteredRows());
}

// The listing and the matches from below are each kept sorted, so a keystroke only picks and
// merges; sorting ten thousand rows per keystroke would not keep up with typing.
QList<MgxListItem> RecordListModel::FilteredRows() const
{
    QList<MgxListItem> picked;
    for (const MgxListItem& item : m_listing)
        if (item.kind == MgxItemKind::Folder
            || (item.kind == MgxItemKind::Record && m_filterKeys.contains(LibraryKey(item.fullPath))))
            picked.append(item);
    QList<MgxListItem> shown;
    shown.reserve(picked.size() + m_filterExtra.size());
    std::merge(picked.cbegin(), picked.cend(), m_filterExtra.cbegin(), m_filterExtra.cend(), std::back_inserter(shown),
               [this](const MgxListItem& a, const MgxListItem& b) { return CompareListItems(a, b, m_sortState) < 0; });
    return shown;
}

void RecordListModel::ClearFilter()
{
    if (!m_filtered)
        return;
    m_filtered = false;
    QList<MgxListItem> listing = std::move(m_listing);
    m_listing.clear();
    m_filterKeys.clear();
    m_filterExtra.clear();
    ReshowItems(std::move(listing));
}

void RecordListModel::FillColumnValues(QList<MgxListItem>& items) const
{
    if (m_columnValues.isEmpty())
        return;
    for (MgxListItem& item : items) {
        if (item.kind != MgxItemKind::Record)
            continue;
        const auto found = m_columnValues.constFind(LibraryKey(item.fullPath));
        if (found != m_columnValues.cend())
            item.columns = *found;
    }
}

void RecordListModel::AddSummaries(const QList<LibrarySummary>& summaries, const SearchNames& names)
{
    if (summaries.isEmpty())
        return;
    for (const LibrarySummary& summary : summaries) {
        m_columnValues.insert(LibraryKey(summary.path), summary.columns.state == LibraryColumnValues::State::Missing
                                                            ? ColumnValues(summary, names)
                                                            : summary.columns);
    }
    const auto update = [this](MgxListItem& item) {
        if (item.kind != MgxItemKind::Record)
            return false;
        const auto found = m_columnValues.constFind(LibraryKey(item.fullPath));
        if (found == m_columnValues.cend() || item.columns == *found)
            return false;
        item.columns = *found;
        return true;
    };
    for (MgxListItem& item : m_listing)
        update(item);
    for (MgxListItem& item : m_filterExtra)
        update(item);
    // One signal for the span of changed rows: a folder's first batch changes thousands of rows.
    int first = -1;
    int last = -1;
    for (int row = 0; row < m_items.size(); ++row) {
        if (update(m_items[row])) {
            first = first < 0 ? row : first;
            last = row;
        }
    }
    if (first >= 0)
        Q_EMIT dataChanged(index(first, LibraryColumns::First), index(last, LibraryColumns::End - 1), {Qt::DisplayRole});
}

int RecordListModel::ShownFileCount() const
{
    return static_cast<int>(std::count_if(m_items.cbegin(), m_items.cend(),
                                          [](const MgxListItem& item) { return item.kind != MgxItemKind::Folder; }));
}

void RecordListModel::Sort(SortState state)
{
    m_sortState = state;
    if (m_filtered) {
        SortListItems(m_listing, state);
        SortListItems(m_filterExtra, state);
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(static_cast<std::size_t>(m_items.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this, state](int a, int b) {
        return CompareListItems(m_items[a], m_items[b], state) < 0;
    });

    QList<MgxListItem> sorted;
    sorted.reserve(m_items.size());
    std::vector<int> newRowOf(order.size());
    for (std::size_t row = 0; row < order.size(); ++row) {
        sorted.append(std::move(m_items[order[row]]));
        newRowOf[static_cast<std::size_t>(order[row])] = static_cast<int>(row);
    }
    m_items = std::move(sorted);

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(createIndex(newRowOf[static_cast<std::size_t>(index.row())], index.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void RecordListModel::RemoveItem(int row)
{
    if (row < 0 || row >= m_items.size())
        return;
    if (m_filtered) {
        const auto isRemoved = [path = m_items[row].fullPath](const MgxListItem& item) { return item.fullPath == path; };
        m_listing.removeIf(isRemoved);
        m_filterExtra.removeIf(isRemoved);
    }
    beginRemoveRows({}, row, row);
    m_items.removeAt(row);
    endRemoveRows();
}

void RecordListModel::UpdateItemName(int row, const QString& fullPath, const QString& name)
{
    if (row < 0 || row >= m_items.size())
        return;
    if (m_filtered) {
        for (QList<MgxListItem>* hidden : {&m_listing, &m_filterExtra}) {
            for (MgxListItem& item : *hidden) {
                if (item.fullPath == m_items[row].fullPath) {
                    item.fullPath = fullPath;
                    item.name = name;
                }
            }
        }
    }
    m_items[row].fullPath = fullPath;
    m_items[row].name = name;
    Q_EMIT dataChanged(index(row, NameColumn), index(row, NameColumn));
}

int RecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecordListModel::DisplayText(const MgxListItem& item, int column) const
{
    switch (column) {
    case NameColumn:
        return item.name;
    case SizeColumn:
        return item.sizeText;
    case TimeColumn:
        return item.timeText;
    default:
        return item.kind == MgxItemKind::Record ? ColumnText(item.columns, column) : QString();
    }
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const MgxListItem& item = m_items[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return DisplayText(item, index.column());
    case Qt::DecorationRole:
        if (index.column() == NameColumn)
            return m_icons[static_cast<std::size_t>(item.kind)];
        return {};
    case Qt::ToolTipRole:
        if (index.column() == NameColumn && !item.relativeFolder.isEmpty())
            return item.relativeFolder;
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment(index.column()));
    default:
        return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment(section));
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return QStringLiteral("名称");
    case SizeColumn:
        return QStringLiteral("大小");
    case TimeColumn:
        return QStringLiteral("最后修改日期");
    default:
        return LibraryColumns::HeaderText(section);
    }
}

Qt::ItemFlags RecordListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == NameColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}
