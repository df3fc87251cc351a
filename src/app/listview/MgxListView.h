#pragma once

#include "ArchiveLocation.h"
#include "GameRecord.h"
#include "GameSettings.h"
#include "HeaderState.h"
#include "LibraryColumns.h"
#include "MgxListItem.h"
#include "RecordReader.h"
#include "RecordListSort.h"

#include <QList>
#include <QLoggingCategory>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class FolderWatch;
class HoverPictures;
class InfoContainer;
class QAbstractItemView;
class QListView;
class QMenu;
class QStackedWidget;
class QTreeView;
class RecordHoverTip;
class RecordListModel;
struct RecordLoad;
class UserPrompt;

Q_DECLARE_LOGGING_CATEGORY(lcRecordList)

// The main pane: the entries of the current folder in a report view ("详细信息") or a plain list
// ("列表") over one model and one selection. A click on one record file shows it in the
// information pane; a double click enters a folder or asks for the game that wrote the record.
// File commands act on its selection; the window routes menu commands to its operations.
class MgxListView : public QWidget {
    Q_OBJECT

public:
    // Command ids the list's own context menu and keys produce.
    enum Command {
        CommandDelete = 32804,
        CommandRename = 32805,
        CommandZip = 32807,
        CommandUnzip = 32808,
        CommandCopyTo = 32830,
        CommandMoveTo = 32831,
    };

    explicit MgxListView(QWidget* parent = nullptr);
    ~MgxListView() override;

    // What the window hands in before the view is first shown.
    void SetSettings(const GameSettings& settings) { m_settings = settings; }
    GameSettings& Settings() { return m_settings; }
    const GameSettings& Settings() const { return m_settings; }
    void SetInfoPane(InfoContainer* pane) { m_infoPane = pane; }
    void SetPrompt(UserPrompt* prompt) { m_prompt = prompt; }
    // Receives NavigationEvent::SelectFolder on every folder change; may be absent.
    void SetAddressBarTarget(QObject* target) { m_addressBar = target; }

    // Restores the column layout and lists the start folder (the SaveGame folder unless one was
    // set) when it exists. Runs once, when the view is first shown; callable earlier.
    void StartUp();
    // A folder to start in instead of the SaveGame folder (from the command line).
    void SetStartFolder(const QString& folder) { m_startFolder = folder; }
    // Selects the listed record file at `fullPath` and shows it as a click would; false when it
    // is not listed or could not be loaded.
    bool ShowRecordFile(const QString& fullPath);

    // NavigationEvent::ListFolder: false, with nothing changed, when the path is not a folder. A folder that
    // cannot be read keeps the old entries.
    bool ListFolder(const QString& path);
    // NavigationEvent::GoToTypedPath: false when the typed text does not name an existing folder.
    bool GoToTypedPath(const QString& path);
    // Enters a folder the way every folder change does: tells the address bar, then lists it.
    bool NavigateTo(const QString& path);
    QString CurrentFolder() const { return m_currentFolder; }
    // The archive and inner folder listed, when the list shows the inside of an archive.
    const std::optional<ArchiveLocation>& CurrentArchive() const { return m_archive; }

    // Commands::DetailsView (true) and Commands::ListView (false).
    void SetReportView(bool report);
    bool IsReportView() const;
    // Commands::SelectAll and Commands::InvertSelection; the focus ends on the last entry.
    void SelectAll();
    void InvertSelection();
    // Commands::SortByName, SortBySize and SortByTime (columns 0 to 2); the same as a click on that header column, which
    // may also be one of the extra columns.
    void SortByColumn(int column);
    // The extra columns (LibraryColumns), hidden until switched on from the header's context menu.
    void SetExtraColumnShown(int column, bool shown);
    bool IsExtraColumnShown(int column) const;
    // The header's context menu: one checkable entry per extra column.
    QMenu* CreateColumnMenu(QWidget* parent);
    SortState CurrentSortState() const { return m_sort; }
    // Commands::Refresh: lists the current folder again.
    void Refresh();
    // Lists the current folder again after a change on disk, keeping the selection, the current
    // entry and the scroll position; the record shown stays shown. Waits while a name is edited.
    void KeepUp();
    // Watches the listed folder; changes reach KeepUp after its delay.
    FolderWatch& Watcher() const { return *m_watch; }

    // Selection access for the file commands. Rows must be in range (0 .. RowCount() - 1).
    int RowCount() const;
    QList<int> SelectedRows() const; // ascending, the order of the list
    const MgxListItem& Item(int row) const;
    QString ItemText(int row) const; // column 0
    void RemoveRow(int row);
    void UpdateRow(int row, const QString& fullPath, const QString& name);
    // Starts the in-place edit of column 0; NameEdited reports how it ended.
    void EditRow(int row);

    // The record loaded by the last click on a record file, or null.
    const Mgx::GameRecord* CurrentRecord() const { return m_currentRecord.get(); }

    // Shows the context menu at a global position when entries are selected; false without.
    bool ShowContextMenu(const QPoint& globalPos);
    // Who shows the context menu instead of the view's own (the main window's command table).
    void SetContextMenuHandler(std::function<void(const QPoint&)> handler) { m_contextMenuHandler = std::move(handler); }

    // The three-column block kept under the profile's "Overview" entry: the first three columns,
    // their order among themselves, and the sort column when it is one of them (else 0).
    HeaderState CurrentHeaderState() const;
    // The extra columns' layout, kept under a key of its own: per extra column whether it is shown,
    // its width and its place among all columns; the sort column when it is an extra one (1-based
    // among them, signed as usual), else 0.
    HeaderState CurrentExtraColumnsState() const;

    // The tip over records: their map and players; hidden while not shown.
    RecordHoverTip* HoverTip() const { return m_hoverTip; }

    RecordListModel& Model() const { return *m_model; }
    QTreeView* ReportView() const { return m_report; }
    QListView* PlainListView() const { return m_list; }
    QAbstractItemView* ActiveView() const;

Q_SIGNALS:
    // A double click on a record: the game version that wrote the loaded record.
    void LaunchRequested(int logVersion);
    // A context-menu command or the Delete key, for the window to route.
    void CommandRequested(int id);
    // The in-place edit of `row` ended with `newName`, or with a null text when cancelled.
    void NameEdited(int row, const QString& newName);
    // A record file was loaded and shown.
    void RecordShown(const QString& fullPath);
    // The entries of `folder` are about to be listed.
    void FolderListing(const QString& folder);
    // The entries of `folder` were listed anew.
    void FolderListed(const QString& folder);
    // The listed folder changed on disk and its entries were taken in again.
    void FolderUpdated(const QString& folder);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateViews();
    void SetUpReportView();
    void SetUpListView();
    void WatchView(QAbstractItemView* view);
    void RestoreHeaderState();
    void ApplyHeaderState(const HeaderState& state);
    void StoreHeaderState() const;
    void ApplyExtraColumnsState(const HeaderState& state, const std::optional<HeaderState>& base);
    void UpdateSortIndicator();
    void PostSelectFolder(const QString& path);
    void OnClicked(const QModelIndex& index);
    void OnDoubleClicked(const QModelIndex& index);
    void ShowRecord(const MgxListItem& item);
    RecordLoad LoadRecord(const QString& path);
    bool ListArchive(const ArchiveLocation& location);
    void ShowMessage(const QString& text);
    bool ShowToolTip(QAbstractItemView* view, const QPoint& pos, const QPoint& globalPos);
    bool ShowHoverTip(const QModelIndex& index, const QPoint& globalPos);
    void HideHoverTipAwayFrom(QAbstractItemView* view, const QPoint& pos);

    void WatchListedFolder();
    bool IsEditing() const;

    RecordListModel* m_model = nullptr;
    FolderWatch* m_watch = nullptr;
    QStackedWidget* m_stack = nullptr;
    QTreeView* m_report = nullptr;
    QListView* m_list = nullptr;

    GameSettings m_settings;
    InfoContainer* m_infoPane = nullptr;
    UserPrompt* m_prompt = nullptr;
    QPointer<QObject> m_addressBar;

    SortState m_sort;
    QString m_currentFolder;
    std::optional<ArchiveLocation> m_archive; // set while the list shows the inside of an archive
    QString m_startFolder;
    std::function<void(const QPoint&)> m_contextMenuHandler;
    Mgx::RecordReader m_reader; // kept from click to click, so its buffers are reused
    std::unique_ptr<Mgx::GameRecord> m_currentRecord;
    QString m_currentRecordPath;
    std::unique_ptr<HoverPictures> m_pictures; // its own reader: never the shown record's
    RecordHoverTip* m_hoverTip = nullptr;
    std::array<int, LibraryColumns::Count> m_extraWidths{};
    bool m_started = false;
};
