#pragma once

#include "GameRecord.h"
#include "GameSettings.h"
#include "MgxListItem.h"
#include "RecordPlayback.h"
#include "RecordReader.h"

#include <QList>
#include <QLoggingCategory>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class ListColumns;
class ListNavigation;
class HoverPictures;
class InfoContainer;
class QAbstractItemView;
class QListView;
class QMenu;
class QStackedWidget;
class QTimer;
class QTreeView;
class RecordHoverTip;
class RecordListModel;
class SelectionKeeper;
struct RecordLoad;
class UserPrompt;

Q_DECLARE_LOGGING_CATEGORY(lcRecordList)

// The main pane: the entries of the current folder in a report view ("详细信息") or a plain list
// ("列表") over one model and one selection. A click on one record file shows it in the
// information pane; a double click enters a folder or asks for the game that wrote the record.
// The record shown follows the current row however it became current (click, arrow keys, type-ahead),
// once the keys stop arriving. File commands act on its selection; which folder is listed is
// ListNavigation's.
class MgxListView : public QWidget {
    Q_OBJECT

public:
    explicit MgxListView(QWidget* parent = nullptr);
    ~MgxListView() override;

    // What the window hands in before the view is first shown.
    void SetSettings(const GameSettings& settings) { m_settings = settings; }
    GameSettings& Settings() { return m_settings; }
    const GameSettings& Settings() const { return m_settings; }
    void SetInfoPane(InfoContainer* pane) { m_infoPane = pane; }
    void SetPrompt(UserPrompt* prompt);
    // Receives NavigationEvent::SelectFolder on every folder change; may be absent.
    void SetAddressBarTarget(QObject* target);

    // Restores the column layout and lists the start folder (the SaveGame folder unless one was
    // set) when it exists. Runs once, when the view is first shown; callable earlier.
    void StartUp();
    // A folder to start in instead of the SaveGame folder (from the command line).
    void SetStartFolder(const QString& folder) { m_startFolder = folder; }
    // Selects the listed record file at `fullPath` and shows it as a click would; false when it
    // is not listed or could not be loaded.
    bool ShowRecordFile(const QString& fullPath);

    // The folder listed and every way of changing it.
    ListNavigation& Navigation() const { return *m_navigation; }

    // Commands::DetailsView (true) and Commands::ListView (false).
    void SetReportView(bool report);
    bool IsReportView() const;
    // Commands::SelectAll and Commands::InvertSelection; the focus ends on the last entry.
    void SelectAll();
    void InvertSelection();
    // The report view's columns: layout, sorting (Commands::SortByName, SortBySize and SortByTime
    // are columns 0 to 2) and the extra columns, hidden until switched on from the header's menu.
    ListColumns& Columns() const { return *m_columns; }

    // Selection access for the file commands. Rows must be in range (0 .. RowCount() - 1).
    int RowCount() const;
    QList<int> SelectedRows() const; // ascending, the order of the list
    const MgxListItem& Item(int row) const;
    QString ItemText(int row) const; // column 0
    void RemoveRow(int row);
    void UpdateRow(int row, const QString& fullPath, const QString& name);
    // Starts the in-place edit of column 0; NameEdited reports how it ended.
    void EditRow(int row);

    // The record loaded for the current row, or null.
    const Mgx::GameRecord* CurrentRecord() const { return m_currentRecord.get(); }
    // Shows the record of the current row now rather than when the keys stop.
    void ShowCurrentRow();

    // Who shows the context menu (the main window's command table's); it opens only while
    // entries are selected.
    void SetContextMenuHandler(std::function<void(const QPoint&)> handler) { m_contextMenuHandler = std::move(handler); }
    bool ShowContextMenu(const QPoint& globalPos);

    // The tip over records: their map and players; hidden while not shown.
    RecordHoverTip* HoverTip() const { return m_hoverTip; }

    RecordListModel& Model() const { return *m_model; }
    QTreeView* ReportView() const { return m_report; }
    QListView* PlainListView() const { return m_list; }
    QAbstractItemView* ActiveView() const;

Q_SIGNALS:
    // A double click or Enter on a record The Conquerors plays: the game version that wrote it.
    // A record of another game starts nothing; the player is told which game plays it.
    void LaunchRequested(int logVersion);
    // A command id of the command table asked for by a key of the list (Delete, F2, Backspace).
    void CommandRequested(int id);
    // The in-place edit of `row` ended with `newName`, or with a null text when cancelled.
    void NameEdited(int row, const QString& newName);
    // A record file was loaded and shown.
    void RecordShown(const QString& fullPath);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateViews();
    void SetUpReportView();
    void SetUpListView();
    void WatchView(QAbstractItemView* view);
    void OnClicked(const QModelIndex& index);
    void OnDoubleClicked(const QModelIndex& index);
    bool HandleKey(int key);
    // A double click names the game that plays a refused file: its load stays quiet about it.
    enum class RefusalReport { Tell, Quiet };
    void ShowRowRecord(RefusalReport report);
    void ShowRecord(const MgxListItem& item, RefusalReport report);
    void RequestPlayback(const QString& path);
    RecordLoad LoadRecord(const QString& path);
    void OfferRepairAndShow(const QString& path);
    void ClearShownRecord();
    void ShowMessage(const QString& text);
    bool ShowHoverTip(const QModelIndex& index, const QPoint& globalPos);
    void HideHoverTipAwayFrom(QAbstractItemView* view, const QPoint& pos);
    void RememberSelection();
    void RestoreSelection();
    bool IsEditing() const;

    RecordListModel* m_model = nullptr;
    ListNavigation* m_navigation = nullptr;
    ListColumns* m_columns = nullptr;
    QStackedWidget* m_stack = nullptr;
    QTreeView* m_report = nullptr;
    QListView* m_list = nullptr;
    QTimer* m_showTimer = nullptr; // coalesces current-row changes arriving faster than records load

    GameSettings m_settings;
    InfoContainer* m_infoPane = nullptr;
    UserPrompt* m_prompt = nullptr;

    QString m_startFolder;
    std::function<void(const QPoint&)> m_contextMenuHandler;
    Mgx::RecordReader m_reader; // kept from click to click, so its buffers are reused
    std::unique_ptr<Mgx::GameRecord> m_currentRecord;
    QString m_currentRecordPath;
    // The file last refused as another game's (or as a saved game), and the game that plays it.
    QString m_refusedPath;
    RecordPlayback m_refusedPlayback;
    std::unique_ptr<HoverPictures> m_pictures; // its own reader: never the shown record's
    RecordHoverTip* m_hoverTip = nullptr;
    bool m_started = false;
    std::unique_ptr<SelectionKeeper> m_keeper;
};
