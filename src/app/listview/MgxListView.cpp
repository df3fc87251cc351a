#include "MgxListView.h"

#include "ArchiveListing.h"
#include "ArchiveMessages.h"
#include "ColumnOrder.h"
#include "FolderListing.h"
#include "Leftovers.h"
#include "FolderWatch.h"
#include "HoverPictures.h"
#include "InfoContainer.h"
#include "NameEditDelegate.h"
#include "NavigationEvent.h"
#include "RecordHoverTip.h"
#include "RecordListModel.h"
#include "RecordLoad.h"
#include "ShowInfo.h"
#include "UserPrompt.h"
#include "WaitCursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QStackedWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

// The two trace lines of the list, for a developer following clicks: off unless enabled with
// QT_LOGGING_RULES="korvale.recordlist.debug=true".
Q_LOGGING_CATEGORY(lcRecordList, "korvale.recordlist", QtInfoMsg)

namespace {

constexpr std::array<int, RecordListModel::ColumnCount> kInitialWidths{90, 100, 140, 220, 90, 70, 60, 50};
constexpr int kMaxColumnWidth = 4096;

struct MenuEntry {
    int id; // 0: separator
    const char16_t* text;
};

// The list's context menu: the file commands on the selection.
constexpr std::array<MenuEntry, 8> kContextMenu{{
    {MgxListView::CommandMoveTo, u"移动到(&M)..."},
    {MgxListView::CommandCopyTo, u"复制到(&C)..."},
    {0, nullptr},
    {MgxListView::CommandRename, u"重命名(&R)"},
    {MgxListView::CommandDelete, u"删除(&D)"},
    {0, nullptr},
    {MgxListView::CommandZip, u"压缩(&A)..."},
    {MgxListView::CommandUnzip, u"解压缩(&X)..."},
}};

// The per-user profile: only the column layout lives there.
const char* const kProfileOrganisation = "Korvale";
const char* const kProfileApplication = "Korvale";
const char* const kProfileKey = "Settings/Overview";
// The extra columns' layout: the block above keeps its three columns.
const char* const kExtraColumnsKey = "Settings/ExtraColumns";

// The selection stays visible, in its own colours, while another pane has the focus.
void KeepSelectionShown(QAbstractItemView* view)
{
    QPalette palette = view->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    view->setPalette(palette);
}

} // namespace

MgxListView::MgxListView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MgxListView"));
    m_model = new RecordListModel(this);
    m_watch = new FolderWatch(this);
    connect(m_watch, &FolderWatch::Changed, this, &MgxListView::KeepUp);
    m_pictures = std::make_unique<HoverPictures>();
    m_hoverTip = new RecordHoverTip(this);
    CreateViews();
    // A tip must not outlive the rows it was shown for.
    connect(m_model, &QAbstractItemModel::modelReset, m_hoverTip, &QWidget::hide);
    connect(m_model, &QAbstractItemModel::layoutChanged, m_hoverTip, &QWidget::hide);
    connect(m_model, &QAbstractItemModel::rowsRemoved, m_hoverTip, &QWidget::hide);
}

MgxListView::~MgxListView()
{
    // An open edit is dropped without a report; the entries go with the model.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_list)})
        view->itemDelegate()->blockSignals(true);
    StoreHeaderState();
}

void MgxListView::CreateViews()
{
    m_stack = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);

    m_report = new QTreeView(m_stack);
    m_report->setObjectName(QStringLiteral("reportView"));
    m_list = new QListView(m_stack);
    m_list->setObjectName(QStringLiteral("listView"));
    m_report->setModel(m_model);
    m_list->setModel(m_model);
    m_list->setSelectionModel(m_report->selectionModel());
    SetUpReportView();
    SetUpListView();
    WatchView(m_report);
    WatchView(m_list);
    m_stack->addWidget(m_report);
    m_stack->addWidget(m_list);
    m_stack->setCurrentWidget(m_report);
    setFocusProxy(m_report);
}

void MgxListView::SetUpReportView()
{
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    QHeaderView* header = m_report->header();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    for (int column = 0; column < RecordListModel::ColumnCount; ++column)
        header->resizeSection(column, kInitialWidths[static_cast<std::size_t>(column)]);
    for (int column = LibraryColumns::First; column < LibraryColumns::End; ++column) {
        m_extraWidths[static_cast<std::size_t>(column - LibraryColumns::First)] = header->sectionSize(column);
        header->setSectionHidden(column, true);
    }
    // A hidden section reports no width: the extra columns' last widths are kept here.
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int newSize) {
        if (LibraryColumns::IsExtraColumn(column) && newSize > 0)
            m_extraWidths[static_cast<std::size_t>(column - LibraryColumns::First)] = newSize;
    });
    connect(header, &QHeaderView::sectionClicked, this, &MgxListView::SortByColumn);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint& pos) {
        QMenu* menu = CreateColumnMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(header->mapToGlobal(pos));
    });
}

void MgxListView::SetUpListView()
{
    m_list->setViewMode(QListView::ListMode);
    m_list->setFlow(QListView::TopToBottom);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setModelColumn(RecordListModel::NameColumn);
}

// Both views behave alike: rows selected as a whole, several at once, edits only on request.
void MgxListView::WatchView(QAbstractItemView* view)
{
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One delegate per view: a delegate's commit and close signals go to every view it serves.
    auto* delegate = new NameEditDelegate(view);
    connect(delegate, &NameEditDelegate::EditEnded, this, &MgxListView::NameEdited);
    view->setItemDelegate(delegate);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setIconSize(QSize(16, 16));
    KeepSelectionShown(view);
    view->viewport()->setMouseTracking(true); // the map tip follows the pointer off its row
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    connect(view, &QAbstractItemView::clicked, this, &MgxListView::OnClicked);
    connect(view, &QAbstractItemView::doubleClicked, this, &MgxListView::OnDoubleClicked);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& pos) { ShowContextMenu(view->viewport()->mapToGlobal(pos)); });
}

void MgxListView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    StartUp();
}

void MgxListView::StartUp()
{
    if (m_started)
        return;
    m_started = true;
    m_sort = SortState{1};
    RestoreHeaderState();
    UpdateSortIndicator();
    const QString startFolder = m_startFolder.isEmpty() ? m_settings.SaveGameFolder : m_startFolder;
    if (!startFolder.isEmpty() && QFileInfo(startFolder).isDir())
        NavigateTo(startFolder);
}

bool MgxListView::ShowRecordFile(const QString& fullPath)
{
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const MgxListItem& item = m_model->Item(row);
        if (item.kind != MgxItemKind::Record || item.fullPath != fullPath)
            continue;
        const QModelIndex index = m_model->index(row, 0);
        ActiveView()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ActiveView()->scrollTo(index);
        ShowRecord(item);
        return m_currentRecordPath == fullPath;
    }
    return false;
}

void MgxListView::RestoreHeaderState()
{
    const QSettings profile(kProfileOrganisation, kProfileApplication);
    const QByteArray stored = profile.value(kProfileKey).toByteArray();
    std::optional<HeaderState> base;
    if (!stored.isEmpty())
        base = DecodeHeaderState(stored, RecordListModel::BaseColumnCount);
    if (base)
        ApplyHeaderState(*base);
    const QByteArray extras = profile.value(kExtraColumnsKey).toByteArray();
    if (const std::optional<HeaderState> state = DecodeHeaderState(extras, LibraryColumns::Count))
        ApplyExtraColumnsState(*state, base);
}

// The extra columns take their stored places among all columns; the first three fill the rest in
// the order their own block gave them. A sort by an extra column is only kept here, so it applies
// when the block names no sort column.
void MgxListView::ApplyExtraColumnsState(const HeaderState& state, const std::optional<HeaderState>& base)
{
    QHeaderView* header = m_report->header();
    QList<int> extraPositions;
    for (int extra = 0; extra < state.columns.size(); ++extra) {
        const HeaderState::Column& stored = state.columns[extra];
        const int column = LibraryColumns::First + extra;
        header->setSectionHidden(column, false);
        if (stored.width > 0)
            header->resizeSection(column, std::min<int>(stored.width, kMaxColumnWidth));
        header->setSectionHidden(column, !stored.visible);
        extraPositions.append(stored.position);
    }
    QList<int> baseRanks;
    for (int column = 0; column < RecordListModel::BaseColumnCount; ++column)
        baseRanks.append(header->visualIndex(column));
    const QList<int> order = MergedColumnOrder(baseRanks, extraPositions);
    for (int position = 0; position < order.size(); ++position)
        header->moveSection(header->visualIndex(order[position]), position);
    if (state.sortState != 0 && (!base || base->sortState == 0))
        m_sort = SortState{state.sortState < 0 ? state.sortState - LibraryColumns::First
                                               : state.sortState + LibraryColumns::First};
}

// Widths out of range and positions that are not each column once come from a damaged profile;
// those parts keep their defaults.
void MgxListView::ApplyHeaderState(const HeaderState& state)
{
    m_sort = SortState{state.sortState};
    QHeaderView* header = m_report->header();
    for (int column = 0; column < state.columns.size(); ++column) {
        const HeaderState::Column& stored = state.columns[column];
        header->setSectionHidden(column, !stored.visible && column != RecordListModel::NameColumn);
        if (stored.width >= 0)
            header->resizeSection(column, std::min<int>(stored.width, kMaxColumnWidth));
    }
    if (!PositionsArePermutation(state))
        return;
    for (int position = 0; position < state.columns.size(); ++position) {
        for (int column = 0; column < state.columns.size(); ++column) {
            if (state.columns[column].position == position)
                header->moveSection(header->visualIndex(column), position);
        }
    }
}

HeaderState MgxListView::CurrentHeaderState() const
{
    HeaderState state;
    state.sortState = LibraryColumns::IsExtraColumn(m_sort.column()) ? 0 : m_sort.value;
    const QHeaderView* header = m_report->header();
    QList<int> visualIndices;
    for (int column = 0; column < RecordListModel::BaseColumnCount; ++column)
        visualIndices.append(header->visualIndex(column));
    const QList<int> ranks = BaseRanks(visualIndices, RecordListModel::BaseColumnCount);
    for (int column = 0; column < RecordListModel::BaseColumnCount; ++column)
        state.columns.append({!header->isSectionHidden(column), header->sectionSize(column), ranks[column]});
    return state;
}

HeaderState MgxListView::CurrentExtraColumnsState() const
{
    HeaderState state;
    state.sortState = 0;
    if (LibraryColumns::IsExtraColumn(m_sort.column()))
        state.sortState = m_sort.value < 0 ? m_sort.value + LibraryColumns::First : m_sort.value - LibraryColumns::First;
    const QHeaderView* header = m_report->header();
    for (int column = LibraryColumns::First; column < LibraryColumns::End; ++column) {
        const int width = m_extraWidths[static_cast<std::size_t>(column - LibraryColumns::First)];
        state.columns.append({!header->isSectionHidden(column), width, header->visualIndex(column)});
    }
    return state;
}

void MgxListView::StoreHeaderState() const
{
    QSettings profile(kProfileOrganisation, kProfileApplication);
    profile.setValue(kProfileKey, EncodeHeaderState(CurrentHeaderState()));
    profile.setValue(kExtraColumnsKey, EncodeHeaderState(CurrentExtraColumnsState()));
}

void MgxListView::UpdateSortIndicator()
{
    // A reversed name column runs Z to A: shown as descending.
    const Qt::SortOrder order = m_sort.reverse() ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_report->header()->setSortIndicator(m_sort.column(), order);
}

bool MgxListView::event(QEvent* event)
{
    if (!NavigationEvent::IsNavigation(event))
        return QWidget::event(event);
    auto* navigation = static_cast<NavigationEvent*>(event);
    switch (navigation->kind()) {
    case NavigationEvent::ListFolder:
        navigation->result = ListFolder(navigation->path);
        break;
    case NavigationEvent::GoToTypedPath:
        navigation->result = GoToTypedPath(navigation->path);
        break;
    case NavigationEvent::SelectFolder:
        return QWidget::event(event);
    }
    event->accept();
    return true;
}

bool MgxListView::ListFolder(const QString& path)
{
    const QFileInfo folder(path);
    if (path.isEmpty())
        return false;
    if (!folder.isDir()) {
        const std::optional<ArchiveLocation> archive = LocateArchive(folder.absoluteFilePath());
        return archive && ListArchive(*archive);
    }
    m_currentFolder = QDir::toNativeSeparators(QDir::cleanPath(folder.absoluteFilePath()));
    WaitCursor wait;
    Q_EMIT FolderListing(m_currentFolder);
    std::optional<QList<MgxListItem>> items = Leftovers::ListAndTidy(m_currentFolder, QLocale::system());
    if (!items)
        return true;
    m_archive.reset();
    setUpdatesEnabled(false);
    m_model->SetItems(std::move(*items), m_sort);
    setUpdatesEnabled(true);
    WatchListedFolder();
    Q_EMIT FolderListed(m_currentFolder);
    return true;
}

// An archive's inside is listed like a folder but read whole each time: a damaged one says so
// once and keeps the old listing.
bool MgxListView::ListArchive(const ArchiveLocation& location)
{
    QList<MgxListItem> items;
    ArchiveResult result;
    {
        WaitCursor wait;
        result = ListArchiveFolder(location, QLocale::system(), items);
    }
    if (result != ArchiveResult::Ok) {
        ShowMessage(ArchiveMessages::ForResult(result));
        return false;
    }
    m_archive = location;
    m_currentFolder = location.ListingPath();
    setUpdatesEnabled(false);
    m_model->SetItems(std::move(items), m_sort);
    setUpdatesEnabled(true);
    WatchListedFolder();
    Q_EMIT FolderListed(m_currentFolder);
    return true;
}

void MgxListView::ShowMessage(const QString& text)
{
    if (m_prompt)
        m_prompt->showMessage(UserPrompt::MessageKind::Error, text);
}

void MgxListView::WatchListedFolder()
{
    // The folder watch sees files on disk, not what changes inside an archive.
    if (m_archive) {
        m_watch->Watch(QString(), {});
        return;
    }
    QStringList records;
    for (const MgxListItem& item : m_model->Items()) {
        if (item.kind == MgxItemKind::Record)
            records.append(item.fullPath);
    }
    m_watch->Watch(m_currentFolder, records);
}

bool MgxListView::IsEditing() const
{
    // An open in-place editor is a shown child of the view's viewport.
    for (const QAbstractItemView* view : {static_cast<const QAbstractItemView*>(m_report), static_cast<const QAbstractItemView*>(m_list)}) {
        for (const QWidget* child : view->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible())
                return true;
        }
    }
    return false;
}

void MgxListView::KeepUp()
{
    if (m_currentFolder.isEmpty() || m_archive)
        return;
    if (IsEditing()) {
        // A re-listing would end the edit; look again later.
        QTimer::singleShot(m_watch->Delay(), this, &MgxListView::KeepUp);
        return;
    }
    std::optional<QList<MgxListItem>> items = Leftovers::ListAndTidy(m_currentFolder, QLocale::system());
    if (!items)
        return;
    QSet<QString> selected;
    for (const int row : SelectedRows())
        selected.insert(m_model->Item(row).fullPath);
    const QModelIndex current = ActiveView()->currentIndex();
    const QString currentPath = current.isValid() ? m_model->Item(current.row()).fullPath : QString();
    const std::array<int, 4> scroll{m_report->verticalScrollBar()->value(), m_report->horizontalScrollBar()->value(),
                                    m_list->verticalScrollBar()->value(), m_list->horizontalScrollBar()->value()};

    setUpdatesEnabled(false);
    m_model->UpdateListing(std::move(*items));
    QItemSelectionModel* selection = m_report->selectionModel();
    QItemSelection rows;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QString& path = m_model->Item(row).fullPath;
        if (selected.contains(path))
            rows.select(m_model->index(row, 0), m_model->index(row, RecordListModel::ColumnCount - 1));
        if (path == currentPath)
            selection->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::NoUpdate);
    }
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
    // The scroll ranges follow the new rows only once the views are laid out.
    m_report->doItemsLayout();
    m_list->doItemsLayout();
    m_report->verticalScrollBar()->setValue(scroll[0]);
    m_report->horizontalScrollBar()->setValue(scroll[1]);
    m_list->verticalScrollBar()->setValue(scroll[2]);
    m_list->horizontalScrollBar()->setValue(scroll[3]);
    setUpdatesEnabled(true);
    WatchListedFolder();
    Q_EMIT FolderUpdated(m_currentFolder);
}

bool MgxListView::GoToTypedPath(const QString& path)
{
    const QString typed = path.trimmed();
    if (typed.isEmpty() || QDir::isRelativePath(typed))
        return false;
    if (!QFileInfo(typed).isDir() && !LocateArchive(typed))
        return false;
    return ListFolder(typed);
}

bool MgxListView::NavigateTo(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (!QFileInfo(path).isDir()) {
        if (!LocateArchive(path))
            return false;
        // The address bar follows only when the archive could be read.
        NavigationEvent list(NavigationEvent::ListFolder, path);
        QCoreApplication::sendEvent(this, &list);
        if (list.result)
            PostSelectFolder(m_currentFolder);
        return list.result;
    }
    PostSelectFolder(path);
    NavigationEvent list(NavigationEvent::ListFolder, path);
    QCoreApplication::sendEvent(this, &list);
    return list.result;
}

void MgxListView::PostSelectFolder(const QString& path)
{
    if (m_addressBar)
        QCoreApplication::postEvent(m_addressBar, new NavigationEvent(NavigationEvent::SelectFolder, path));
}

void MgxListView::Refresh()
{
    if (!m_currentFolder.isEmpty())
        ListFolder(m_currentFolder);
}

QAbstractItemView* MgxListView::ActiveView() const
{
    return IsReportView() ? static_cast<QAbstractItemView*>(m_report) : m_list;
}

void MgxListView::SetReportView(bool report)
{
    QAbstractItemView* shown = report ? static_cast<QAbstractItemView*>(m_report) : m_list;
    const QModelIndex current = ActiveView()->currentIndex();
    m_stack->setCurrentWidget(shown);
    shown->setCurrentIndex(current);
    setFocusProxy(shown);
}

bool MgxListView::IsReportView() const
{
    return m_stack->currentWidget() == m_report;
}

void MgxListView::SelectAll()
{
    if (RowCount() == 0)
        return;
    QItemSelectionModel* selection = m_report->selectionModel();
    const QItemSelection all(m_model->index(0, 0), m_model->index(RowCount() - 1, RecordListModel::ColumnCount - 1));
    selection->select(all, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->setCurrentIndex(m_model->index(RowCount() - 1, 0), QItemSelectionModel::NoUpdate);
}

void MgxListView::InvertSelection()
{
    if (RowCount() == 0)
        return;
    QItemSelectionModel* selection = m_report->selectionModel();
    const QItemSelection all(m_model->index(0, 0), m_model->index(RowCount() - 1, RecordListModel::ColumnCount - 1));
    selection->select(all, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
    selection->setCurrentIndex(m_model->index(RowCount() - 1, 0), QItemSelectionModel::NoUpdate);
}

void MgxListView::SetExtraColumnShown(int column, bool shown)
{
    if (!LibraryColumns::IsExtraColumn(column))
        return;
    m_report->header()->setSectionHidden(column, !shown);
}

bool MgxListView::IsExtraColumnShown(int column) const
{
    return LibraryColumns::IsExtraColumn(column) && !m_report->header()->isSectionHidden(column);
}

QMenu* MgxListView::CreateColumnMenu(QWidget* parent)
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

void MgxListView::SortByColumn(int column)
{
    if (column < 0 || column >= RecordListModel::ColumnCount)
        return;
    m_sort = ClickColumn(m_sort, column);
    m_model->Sort(m_sort);
    UpdateSortIndicator();
}

int MgxListView::RowCount() const
{
    return m_model->rowCount();
}

QList<int> MgxListView::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_report->selectionModel()->selectedIndexes()) {
        if (index.column() == RecordListModel::NameColumn)
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

const MgxListItem& MgxListView::Item(int row) const
{
    return m_model->Item(row);
}

QString MgxListView::ItemText(int row) const
{
    return m_model->data(m_model->index(row, RecordListModel::NameColumn)).toString();
}

void MgxListView::RemoveRow(int row)
{
    m_model->RemoveItem(row);
}

void MgxListView::UpdateRow(int row, const QString& fullPath, const QString& name)
{
    m_model->UpdateItemName(row, fullPath, name);
}

void MgxListView::EditRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    const QModelIndex index = m_model->index(row, RecordListModel::NameColumn);
    QAbstractItemView* view = ActiveView();
    view->setFocus();
    view->scrollTo(index);
    view->edit(index);
}

void MgxListView::OnClicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const QList<int> selected = SelectedRows();
    // The entry shown is the one clicked; a click that just took an entry out of the selection
    // shows nothing.
    if (selected.size() != 1 || selected.front() != index.row())
        return;
    const MgxListItem& item = m_model->Item(index.row());
    qCDebug(lcRecordList).noquote() << "single Selected! [" + ItemText(index.row()) + "]";
    if (item.kind == MgxItemKind::Record)
        ShowRecord(item);
}

void MgxListView::ShowRecord(const MgxListItem& item)
{
    qCDebug(lcRecordList).noquote() << "show mgx file info [" + item.fullPath + "]";
    WaitCursor wait;
    if (m_currentRecord && m_currentRecordPath == item.fullPath)
        return;
    if (m_currentRecord)
        m_reader.Recycle(std::move(*m_currentRecord));
    m_currentRecord.reset();
    m_currentRecordPath.clear();
    const QString path = item.fullPath; // the item may go while the message box runs
    RecordLoad load = LoadRecord(path);
    if (!load.record) {
        ShowMessage(load.errorText);
        return;
    }
    m_currentRecord = std::move(load.record);
    m_currentRecordPath = path;
    const bool bodyStartMissing = !m_currentRecord->chapters.empty()
        && m_currentRecord->chapters.front().status == Mgx::ChapterInfo::HeaderEndMissing;
    if (m_archive && bodyStartMissing) {
        // The repair rewrites the file in place, which an archive's entry is not.
        if (m_infoPane)
            m_infoPane->ResetInfo();
        ShowMessage(ArchiveMessages::RepairRefused());
        return;
    }
    if (m_infoPane && m_prompt)
        Mgx::ShowInfo(m_currentRecord.get(), *m_infoPane, *m_prompt);
    Q_EMIT RecordShown(path);
}

// Inside an archive the record is read from it into memory; nothing is unpacked to disk.
RecordLoad MgxListView::LoadRecord(const QString& path)
{
    if (!m_archive)
        return LoadRecordForList(m_reader, path);
    const QString name = QDir::fromNativeSeparators(path).section(QLatin1Char('/'), -1);
    return LoadArchiveRecordForList(m_reader, m_archive->archivePath, m_archive->EntryName(name), path);
}

void MgxListView::OnDoubleClicked(const QModelIndex& index)
{
    if (!index.isValid() || SelectedRows().isEmpty())
        return;
    const MgxListItem item = m_model->Item(index.row());
    if (item.kind == MgxItemKind::Folder) {
        NavigateTo(item.fullPath);
    } else if (item.kind == MgxItemKind::Zip || item.kind == MgxItemKind::Rar) {
        if (m_archive)
            ShowMessage(ArchiveMessages::Nested());
        else
            NavigateTo(item.fullPath);
    } else if (item.kind == MgxItemKind::Record) {
        if (m_currentRecord && !m_currentRecord->chapters.empty())
            Q_EMIT LaunchRequested(m_currentRecord->chapters.front().logVersion);
    }
}

bool MgxListView::ShowContextMenu(const QPoint& globalPos)
{
    if (SelectedRows().isEmpty())
        return false;
    if (m_contextMenuHandler) {
        m_contextMenuHandler(globalPos);
        return true;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("listContextMenu"));
    for (const MenuEntry& entry : kContextMenu) {
        if (entry.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf16(entry.text));
        action->setData(entry.id);
        connect(action, &QAction::triggered, this, [this, id = entry.id] { Q_EMIT CommandRequested(id); });
    }
    menu.exec(globalPos);
    return true;
}

bool MgxListView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_report || watched == m_list)) {
        m_hoverTip->hide();
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            Q_EMIT CommandRequested(CommandDelete);
            return true;
        }
    }
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_list)}) {
        if (watched != view->viewport())
            continue;
        switch (event->type()) {
        case QEvent::ToolTip: {
            const auto* help = static_cast<QHelpEvent*>(event);
            const QModelIndex index = view->indexAt(help->pos());
            if (ShowHoverTip(index, help->globalPos()))
                return true;
            m_hoverTip->hide();
            return ShowToolTip(view, help->pos(), help->globalPos());
        }
        case QEvent::MouseMove:
            HideHoverTipAwayFrom(view, static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::Hide:
            m_hoverTip->hide();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The map tip belongs to the name cell of a record the index has not found damaged; its first
// line is the whole name, so a cut-off name is still shown in full. Every other cell, and a record
// that cannot be read, keeps the text tip.
bool MgxListView::ShowHoverTip(const QModelIndex& index, const QPoint& globalPos)
{
    if (!index.isValid() || index.column() != RecordListModel::NameColumn)
        return false;
    const MgxListItem& item = m_model->Item(index.row());
    if (item.kind != MgxItemKind::Record || item.columns.state == LibraryColumnValues::State::Damaged)
        return false;
    if (m_hoverTip->isVisible() && m_hoverTip->ShownPath() == item.fullPath)
        return true;
    const std::shared_ptr<const HoverPicture> picture = m_pictures->PictureOf(item.fullPath);
    if (!picture)
        return false;
    QToolTip::hideText();
    const QString title = item.relativeFolder.isEmpty() ? item.name : item.relativeFolder + QDir::separator() + item.name;
    m_hoverTip->ShowPicture(title, *picture, globalPos);
    m_hoverTip->SetShownPath(item.fullPath);
    return true;
}

void MgxListView::HideHoverTipAwayFrom(QAbstractItemView* view, const QPoint& pos)
{
    if (!m_hoverTip->isVisible())
        return;
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid() || index.column() != RecordListModel::NameColumn
        || m_model->Item(index.row()).fullPath != m_hoverTip->ShownPath())
        m_hoverTip->hide();
}

// A tip with the whole text, only over a cell whose text is cut off.
bool MgxListView::ShowToolTip(QAbstractItemView* view, const QPoint& pos, const QPoint& globalPos)
{
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid()) {
        QToolTip::hideText();
        return true;
    }
    const QRect cell = view->visualRect(index);
    const QSize needed = view->sizeHintForIndex(index);
    if (needed.width() <= cell.width()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(globalPos, index.data(Qt::DisplayRole).toString(), view->viewport(), cell);
    return true;
}
