#include "MgxListView.h"

#include "ArchiveMessages.h"
#include "CommandCatalogue.h"
#include "CutTextTip.h"
#include "HoverPictures.h"
#include "InfoContainer.h"
#include "ListColumns.h"
#include "ListNavigation.h"
#include "NameEditDelegate.h"
#include "NavigationEvent.h"
#include "RecordHoverTip.h"
#include "RecordListModel.h"
#include "RecordLoad.h"
#include "SelectionKeeper.h"
#include "ShowInfo.h"
#include "UserPrompt.h"
#include "WaitCursor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QStackedWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

// The two trace lines of the list, for a developer following clicks: off unless enabled with
// QT_LOGGING_RULES="korvale.recordlist.debug=true".
Q_LOGGING_CATEGORY(lcRecordList, "korvale.recordlist", QtInfoMsg)
// When a key reached the list and when the panel showed a record, in milliseconds of the same
// clock, to measure the wait between: QT_LOGGING_RULES="korvale.panel.timing.info=true".
Q_LOGGING_CATEGORY(lcPanelTiming, "korvale.panel.timing", QtWarningMsg)

namespace {

// The per-user profile: only the column layout lives there.
const char* const kProfileOrganisation = "Korvale";
const char* const kProfileApplication = "Korvale";

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
    m_navigation = new ListNavigation(*m_model, this);
    m_navigation->SetBusyCheck([this] { return IsEditing(); });
    connect(m_navigation, &ListNavigation::Relisting, this, &MgxListView::RememberSelection);
    connect(m_navigation, &ListNavigation::Relisted, this, &MgxListView::RestoreSelection);
    m_pictures = std::make_unique<HoverPictures>();
    m_hoverTip = new RecordHoverTip(this);
    // A held-down arrow key moves the current row faster than records load: only the row it
    // stops on is loaded, once the keys queued meanwhile have been taken in.
    m_showTimer = new QTimer(this);
    m_showTimer->setSingleShot(true);
    m_showTimer->setInterval(0);
    connect(m_showTimer, &QTimer::timeout, this, &MgxListView::ShowCurrentRow);
    CreateViews();
    // A tip must not outlive the rows it was shown for.
    connect(m_model, &QAbstractItemModel::modelReset, m_hoverTip, &QWidget::hide);
    connect(m_model, &QAbstractItemModel::layoutChanged, m_hoverTip, &QWidget::hide);
    connect(m_model, &QAbstractItemModel::rowsRemoved, m_hoverTip, &QWidget::hide);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_columns->FitsToContent())
            QTimer::singleShot(0, m_columns, &ListColumns::Fit);
    });
}

MgxListView::~MgxListView()
{
    // An open edit is dropped without a report; the entries go with the model.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_list)})
        view->itemDelegate()->blockSignals(true);
    if (m_started) {
        QSettings profile(kProfileOrganisation, kProfileApplication);
        m_columns->Current().Store(profile);
    }
}

void MgxListView::SetPrompt(UserPrompt* prompt)
{
    m_prompt = prompt;
    m_navigation->SetPrompt(prompt);
}

void MgxListView::SetAddressBarTarget(QObject* target) { m_navigation->SetAddressBarTarget(target); }

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
    m_keeper = std::make_unique<SelectionKeeper>(*m_model, *m_report, *m_list);
    WatchView(m_report);
    WatchView(m_list);
    m_stack->addWidget(m_report);
    m_stack->addWidget(m_list);
    m_stack->setCurrentWidget(m_report);
    setFocusProxy(m_report);
    connect(m_report->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { m_showTimer->start(); });
}

void MgxListView::SetUpReportView()
{
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_columns = new ListColumns(*m_report, *m_model, this);
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

void MgxListView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_columns->Fit();
}

bool MgxListView::event(QEvent* event)
{
    // The list stays a navigation target for those who send to it.
    if (NavigationEvent::IsNavigation(event) && static_cast<NavigationEvent*>(event)->GetKind() != NavigationEvent::SelectFolder)
        return QCoreApplication::sendEvent(m_navigation, event);
    return QWidget::event(event);
}

void MgxListView::StartUp()
{
    if (m_started)
        return;
    const ListHeaderLayout layout = ListHeaderLayout::Load(QSettings(kProfileOrganisation, kProfileApplication));
    m_columns->Apply(layout);
    m_columns->SetFitToContent(!layout.IsStored());
    m_started = true;
    const QString startFolder = m_startFolder.isEmpty() ? m_settings.SaveGameFolder : m_startFolder;
    if (!startFolder.isEmpty() && QFileInfo(startFolder).isDir())
        m_navigation->NavigateTo(startFolder);
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
        m_showTimer->stop();
        ShowRecord(item, RefusalReport::Tell);
        return m_currentRecordPath == fullPath;
    }
    return false;
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

void MgxListView::RememberSelection()
{
    m_keeper->Remember();
    setUpdatesEnabled(false);
}

void MgxListView::RestoreSelection()
{
    m_keeper->Restore();
    setUpdatesEnabled(true);
}

void MgxListView::OnClicked(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    // A click shows at once, also on the row already current (after a repair, say).
    m_showTimer->stop();
    ShowCurrentRow();
}

// The record shown is the current row's, while it is the one entry selected: a click that just
// took an entry out of the selection, or a second selected entry, shows nothing new.
void MgxListView::ShowCurrentRow()
{
    ShowRowRecord(RefusalReport::Tell);
}

void MgxListView::ShowRowRecord(RefusalReport report)
{
    const QModelIndex current = m_report->selectionModel()->currentIndex();
    if (!current.isValid())
        return;
    const QList<int> selected = SelectedRows();
    if (selected.size() != 1 || selected.front() != current.row())
        return;
    const MgxListItem& item = m_model->Item(current.row());
    qCDebug(lcRecordList).noquote() << "single Selected! [" + ItemText(current.row()) + "]";
    if (item.kind == MgxItemKind::Record)
        ShowRecord(item, report);
}

void MgxListView::ShowRecord(const MgxListItem& item, RefusalReport report)
{
    qCDebug(lcRecordList).noquote() << "show mgx file info [" + item.fullPath + "]";
    WaitCursor wait;
    if (m_currentRecord && m_currentRecordPath == item.fullPath)
        return;
    ClearShownRecord();
    const QString path = item.fullPath; // the item may go while the message box runs
    RecordLoad load = LoadRecord(path);
    if (!load.record) {
        const bool playedElsewhere = load.refusedPlayback && !PlaybackMessage(*load.refusedPlayback).isEmpty();
        if (playedElsewhere) {
            m_refusedPath = path;
            m_refusedPlayback = *load.refusedPlayback;
        }
        if (!playedElsewhere || report == RefusalReport::Tell)
            ShowMessage(load.errorText);
        return;
    }
    m_currentRecord = std::move(load.record);
    m_currentRecordPath = path;
    const bool bodyStartMissing = !m_currentRecord->chapters.empty()
        && m_currentRecord->chapters.front().status == Mgx::ChapterInfo::HeaderEndMissing;
    if (bodyStartMissing) {
        OfferRepairAndShow(path);
        return;
    }
    if (m_infoPane && m_prompt)
        Mgx::ShowInfo(m_currentRecord.get(), *m_infoPane, *m_prompt);
    qCInfo(lcPanelTiming).noquote() << QDateTime::currentMSecsSinceEpoch() << "shown" << path;
    Q_EMIT RecordShown(path);
}

// The repair rewrites the file in place, which an archive's entry is not. A repaired file is
// read again and shown at once; one left as it was stays loaded, so the offer is not repeated
// for every click.
void MgxListView::OfferRepairAndShow(const QString& path)
{
    if (m_navigation->CurrentArchive()) {
        ShowMessage(ArchiveMessages::RepairRefused());
        return;
    }
    if (!m_infoPane || !m_prompt)
        return;
    Mgx::ShowInfo(m_currentRecord.get(), *m_infoPane, *m_prompt);
    RecordLoad again = LoadRecord(path);
    if (!again.record || again.record->chapters.empty()
        || again.record->chapters.front().status == Mgx::ChapterInfo::HeaderEndMissing)
        return;
    m_reader.Recycle(std::move(*m_currentRecord));
    m_currentRecord = std::move(again.record);
    Mgx::ShowInfo(m_currentRecord.get(), *m_infoPane, *m_prompt);
    Q_EMIT RecordShown(path);
}

// Whatever the panel showed belonged to the record before: it goes before the next one loads, so
// a record that cannot be shown leaves the panel empty rather than showing its predecessor.
void MgxListView::ClearShownRecord()
{
    if (m_currentRecord)
        m_reader.Recycle(std::move(*m_currentRecord));
    m_currentRecord.reset();
    m_currentRecordPath.clear();
    m_refusedPath.clear();
    if (m_infoPane)
        m_infoPane->ResetInfo();
}

// Inside an archive the record is read from it into memory; nothing is unpacked to disk.
RecordLoad MgxListView::LoadRecord(const QString& path)
{
    const std::optional<ArchiveLocation>& archive = m_navigation->CurrentArchive();
    if (!archive)
        return LoadRecordForList(m_reader, path);
    const QString name = QDir::fromNativeSeparators(path).section(QLatin1Char('/'), -1);
    return LoadArchiveRecordForList(m_reader, archive->archivePath, archive->EntryName(name), path);
}

void MgxListView::OnDoubleClicked(const QModelIndex& index)
{
    if (!index.isValid() || SelectedRows().isEmpty())
        return;
    const MgxListItem item = m_model->Item(index.row());
    if (item.kind == MgxItemKind::Folder) {
        m_navigation->NavigateTo(item.fullPath);
    } else if (item.kind == MgxItemKind::Zip || item.kind == MgxItemKind::Rar) {
        if (m_navigation->CurrentArchive())
            ShowMessage(ArchiveMessages::Nested());
        else
            m_navigation->NavigateTo(item.fullPath);
    } else if (item.kind == MgxItemKind::Record) {
        // The record may not be loaded yet when Enter follows an arrow key at once.
        m_showTimer->stop();
        ShowRowRecord(RefusalReport::Quiet);
        RequestPlayback(item.fullPath);
    }
}

// The Conquerors starts with its own records; for any other game's the player reads which game
// plays it, rather than watching 1.0c refuse it.
void MgxListView::RequestPlayback(const QString& path)
{
    const auto tell = [this](const RecordPlayback& playback) {
        const QString message = PlaybackMessage(playback);
        if (m_prompt && !message.isEmpty())
            m_prompt->ShowMessage(UserPrompt::MessageKind::Information, message, QStringLiteral("提示"));
    };
    if (m_currentRecord && m_currentRecordPath == path && !m_currentRecord->chapters.empty()) {
        const Mgx::ChapterInfo& chapter = m_currentRecord->chapters.front();
        const RecordPlayback playback = PlaybackOfChapter(chapter);
        if (playback.game == RecordPlayback::Game::Conquerors)
            Q_EMIT LaunchRequested(chapter.logVersion);
        else
            tell(playback);
    } else if (!m_refusedPath.isEmpty() && m_refusedPath == path) {
        tell(m_refusedPlayback);
    }
}

bool MgxListView::ShowContextMenu(const QPoint& globalPos)
{
    if (SelectedRows().isEmpty() || !m_contextMenuHandler)
        return false;
    m_contextMenuHandler(globalPos);
    return true;
}

void MgxListView::ShowMessage(const QString& text)
{
    if (m_prompt)
        m_prompt->ShowMessage(UserPrompt::MessageKind::Error, text);
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

// The list's own keys: Enter does what a double click does, F2 renames, Backspace goes up, and
// Delete deletes when no shortcut took it first.
bool MgxListView::HandleKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnDoubleClicked(ActiveView()->currentIndex());
        return true;
    case Qt::Key_F2:
        Q_EMIT CommandRequested(Commands::Rename);
        return true;
    case Qt::Key_Backspace:
        Q_EMIT CommandRequested(Commands::Up);
        return true;
    case Qt::Key_Delete:
        Q_EMIT CommandRequested(Commands::Delete);
        return true;
    default:
        return false;
    }
}

bool MgxListView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_report || watched == m_list)) {
        m_hoverTip->hide();
        const auto* key = static_cast<QKeyEvent*>(event);
        qCInfo(lcPanelTiming).noquote() << QDateTime::currentMSecsSinceEpoch() << "key" << key->key();
        // Keys an open name editor passes on (its Enter, say) are the edit's, not the list's.
        const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if (plain && !IsEditing()) {
            if (HandleKey(key->key()))
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
            return ShowCutTextTip(view, help->pos(), help->globalPos());
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
