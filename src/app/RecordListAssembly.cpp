#include "RecordListAssembly.h"

#include "AddressBar.h"
#include "CMainFrame.h"
#include "CommandCatalogue.h"
#include "CommandTable.h"
#include "ConfigDlg.h"
#include "InfoContainer.h"
#include "LaunchGame.h"
#include "LibraryIndex.h"
#include "LibrarySearch.h"
#include "ListColumns.h"
#include "ListEntryText.h"
#include "ListNavigation.h"
#include "MgxInfoDlgBar.h"
#include "MgxListView.h"
#include "PathCombo.h"
#include "RecordListModel.h"
#include "SettingsFile.h"
#include "UserPrompt.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLoggingCategory>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <algorithm>
#include <optional>

// What the window shows after each step (a folder listed, a record shown with the panel's texts,
// the status bar), for the player scenarios that read the program's log. Off unless
// QT_LOGGING_RULES turns on "korvale.window.debug".
Q_LOGGING_CATEGORY(lcWindow, "korvale.window", QtInfoMsg)

namespace {

void LogPanel(const QWidget& panel)
{
    if (!lcWindow().isDebugEnabled())
        return;
    for (const QLabel* label : panel.findChildren<QLabel*>()) {
        if (!label->text().isEmpty() && !label->objectName().isEmpty())
            qCDebug(lcWindow).noquote() << "panel label" << label->objectName() + QStringLiteral(":") << label->text();
    }
    for (const QListWidget* list : panel.findChildren<QListWidget*>()) {
        for (int row = 0; row < list->count(); ++row)
            qCDebug(lcWindow).noquote() << "panel line:" << list->item(row)->text();
    }
}

} // namespace

RecordListAssembly::RecordListAssembly(UserPrompt& prompt, ProcessRunner& runner, QString configPath)
    : m_prompt(prompt)
    , m_runner(runner)
    , m_configPath(std::move(configPath))
{
}

RecordListAssembly::~RecordListAssembly() = default;

void RecordListAssembly::Build(CMainFrame& frame, CommandTable& commands, const StartRequest& request)
{
    m_list = new MgxListView(&frame);
    m_list->SetSettings(LoadStartupSettings(m_configPath));
    m_list->SetInfoPane(&frame.InfoBar().Container());
    m_list->SetPrompt(&m_prompt);
    m_list->SetContextMenuHandler([&frame](const QPoint& at) { frame.ShowListContextMenu(at); });
    frame.SetRecordList(m_list);
    frame.SetNavigation(&m_list->Navigation());
    frame.SetSaveGameFolderSource([list = m_list] { return list->Settings().SaveGameFolder; });

    m_selection = std::make_unique<ListSelection>(*m_list);
    m_progress = std::make_unique<ProgressDialogSink>(&frame);
    m_fileCommands = std::make_unique<FileCommands>(m_prompt, *m_selection, m_runner, *m_progress);

    RegisterListCommands(commands);
    RegisterFileCommands(commands);
    RegisterTemplateRename(commands);
    RegisterSettingsAndLaunch(frame, commands);
    QObject::connect(m_list, &MgxListView::CommandRequested, m_list, [&commands](int id) { commands.Trigger(id); });
    QObject::connect(m_list, &MgxListView::NameEdited, m_list, [this](int row, const QString& text) {
        m_fileCommands->FinishRename(row, text.isNull() ? std::nullopt : std::optional<QString>(text));
    });
    BuildSearch(frame);
    LogWhatTheWindowShows(frame);
    Start(request);
}

void RecordListAssembly::LogWhatTheWindowShows(CMainFrame& frame)
{
    MgxListView* list = m_list;
    // Where things are, in the window's own coordinates, once the window is laid out: a scenario
    // clicks there as a player would.
    const auto logPlaces = [&frame, list] {
        if (!lcWindow().isDebugEnabled())
            return;
        const auto place = [&frame](const QWidget* widget, const QString& name) {
            const QRect at(widget->mapTo(&frame, QPoint(0, 0)), widget->size());
            qCDebug(lcWindow).noquote() << QStringLiteral("place %1: %2 %3 %4 %5")
                                               .arg(name).arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height());
        };
        for (const QWidget* widget : frame.findChildren<QWidget*>()) {
            if (widget->isVisible() && (widget->objectName().startsWith(QStringLiteral("command"))
                                        || widget->objectName() == QStringLiteral("searchField")
                                        || widget->objectName() == QStringLiteral("pathComboEdit")
                                        || widget->objectName() == QStringLiteral("mapContainer")))
                place(widget, widget->objectName());
        }
        for (const QAbstractItemView* view : list->findChildren<QAbstractItemView*>()) {
            const QAbstractItemModel* model = view->model();
            if (!view->isVisible() || !model)
                continue;
            // The rows as the view shows them, sorted; at most a screenful or two.
            constexpr int rowsLogged = 200;
            const int rows = std::min(model->rowCount(), rowsLogged);
            const QRect first = rows > 0 ? view->visualRect(model->index(0, 0)) : QRect();
            if (rows > 0 && first.height() == 0)
                continue;
            if (rows > 0) {
                const QPoint at = view->viewport()->mapTo(&frame, first.topLeft());
                qCDebug(lcWindow).noquote() << QStringLiteral("place firstRow: %1 %2 %3 %4")
                                                   .arg(at.x()).arg(at.y()).arg(first.width()).arg(first.height());
            }
            for (int row = 0; row < rows; ++row)
                qCDebug(lcWindow).noquote() << QStringLiteral("row %1:").arg(row) << model->index(row, 0).data().toString();
            qCDebug(lcWindow).noquote() << "listing shown:" << model->rowCount() << "rows";
            break;
        }
    };
    QObject::connect(&list->Navigation(), &ListNavigation::FolderListed, list, [list, logPlaces](const QString& folder) {
        qCDebug(lcWindow).noquote() << "listed" << folder << "rows:" << list->RowCount();
        QTimer::singleShot(0, list, logPlaces);
    });
    QObject::connect(list, &MgxListView::RecordShown, list, [&frame](const QString& path) {
        qCDebug(lcWindow).noquote() << "shown" << path;
        LogPanel(frame.InfoBar());
    });
    QObject::connect(frame.statusBar(), &QStatusBar::messageChanged, list,
                     [](const QString& text) { qCDebug(lcWindow).noquote() << "status:" << text; });
}

// The search field and its toggle sit at the right of the address row; the list is indexed after
// every listing, and the status bar follows the indexing and the filter.
void RecordListAssembly::BuildSearch(CMainFrame& frame)
{
    const QString path = m_libraryPath.isEmpty() ? LibraryIndex::DefaultPath() : m_libraryPath;
    m_librarySearch = new LibrarySearch(m_list->Model(), path, m_list);
    m_searchField = new QLineEdit(&frame);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(QStringLiteral("搜索玩家、文明、地图、聊天"));
    m_searchField->setClearButtonEnabled(true);
    m_searchField->setMinimumWidth(220);
    m_subfolderToggle = new QCheckBox(QStringLiteral("包括子文件夹"), &frame);
    m_subfolderToggle->setObjectName(QStringLiteral("subfolderToggle"));
    if (auto* row = frame.findChild<QToolBar*>(QStringLiteral("addressToolBar"))) {
        row->addWidget(m_searchField);
        row->addWidget(m_subfolderToggle);
    }
    LibrarySearch* search = m_librarySearch;
    QObject::connect(m_searchField, &QLineEdit::textChanged, search, &LibrarySearch::SetQuery);
    QObject::connect(m_subfolderToggle, &QCheckBox::toggled, search, &LibrarySearch::SetSubfolders);
    const ListNavigation* navigation = &m_list->Navigation();
    QObject::connect(navigation, &ListNavigation::FolderListing, search, &LibrarySearch::FolderListing);
    QObject::connect(navigation, &ListNavigation::FolderListed, search, &LibrarySearch::FolderListed);
    QObject::connect(navigation, &ListNavigation::FolderUpdated, search, &LibrarySearch::FolderUpdated);
    QStatusBar* status = frame.statusBar();
    // Without a search or an indexing to report, the status bar counts the list and its selection.
    MgxListView* list = m_list;
    const auto showCount = [status, list, search] {
        if (search->Query().trimmed().isEmpty())
            status->showMessage(ListCountText(list->RowCount(), static_cast<int>(list->SelectedRows().size())));
    };
    QObject::connect(search, &LibrarySearch::StatusChanged, status, [status, showCount](const QString& text) {
        if (!text.isEmpty()) {
            status->showMessage(text);
            return;
        }
        status->clearMessage();
        showCount();
    });
    QAbstractItemModel* model = &m_list->Model();
    QObject::connect(m_list->ReportView()->selectionModel(), &QItemSelectionModel::selectionChanged, status, showCount);
    QObject::connect(model, &QAbstractItemModel::modelReset, status, showCount);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, status, showCount);
    // An index kept only in memory is said once, at start.
    if (!search->Indexer().FallbackMessage().isEmpty())
        status->showMessage(search->Indexer().FallbackMessage());
}

// Sorting, selecting, the two views and refreshing act on the list itself.
void RecordListAssembly::RegisterListCommands(CommandTable& commands)
{
    MgxListView* list = m_list;
    commands.RegisterHandler(Commands::SortByName, [list] { list->Columns().SortByColumn(0); });
    commands.RegisterHandler(Commands::SortBySize, [list] { list->Columns().SortByColumn(1); });
    commands.RegisterHandler(Commands::SortByTime, [list] { list->Columns().SortByColumn(2); });
    commands.RegisterHandler(Commands::SelectAll, [list] { list->SelectAll(); });
    commands.RegisterHandler(Commands::InvertSelection, [list] { list->InvertSelection(); });
    commands.RegisterHandler(Commands::ListView, [list] { list->SetReportView(false); });
    commands.RegisterHandler(Commands::DetailsView, [list] { list->SetReportView(true); });
    commands.RegisterCheckedState(Commands::ListView, [list] { return !list->IsReportView(); });
    commands.RegisterCheckedState(Commands::DetailsView, [list] { return list->IsReportView(); });
}

void RecordListAssembly::RegisterFileCommands(CommandTable& commands)
{
    for (const int id : {Commands::MoveTo, Commands::CopyTo, Commands::Delete, Commands::Rename, Commands::Pack,
                         Commands::Unpack, Commands::ContextCopyTo, Commands::ContextMoveTo})
        commands.RegisterHandler(id, [this, id] { m_fileCommands->RunCommand(id); });
}

void RecordListAssembly::RegisterTemplateRename(CommandTable& commands)
{
    m_templateRenamer = std::make_unique<TemplateRenamer>(m_prompt, *m_selection);
    // An undo puts names back under rows that may have moved: re-list keeping the selection.
    m_templateRenamer->SetRelist([list = m_list] { list->Navigation().KeepUp(); });
    TemplateRenamer* renamer = m_templateRenamer.get();
    commands.RegisterHandler(Commands::RenameByTemplate, [renamer] { renamer->RenameSelected(); });
    commands.RegisterHandler(Commands::UndoRename, [renamer] { renamer->Undo(); });
    commands.RegisterEnabledState(Commands::UndoRename, [renamer] { return renamer->CanUndo(); });
}

void RecordListAssembly::RegisterSettingsAndLaunch(CMainFrame& frame, CommandTable& commands)
{
    commands.RegisterHandler(Commands::Options, [this, &frame] {
        ConfigDlg::Edit(m_list->Settings(), m_prompt, m_configPath, &frame);
    });
    commands.RegisterHandler(Commands::LaunchA, [this, &frame] { Launch(frame, GameVersion::V10a); });
    commands.RegisterHandler(Commands::LaunchC, [this, &frame] { Launch(frame, GameVersion::V10c); });
    QObject::connect(m_list, &MgxListView::LaunchRequested, m_list,
                     [this, &frame](int logVersion) { Launch(frame, GameVersionOfLog(logVersion)); });
}

// A start that fails is said in a message box, and stays in the status bar: a click that does
// nothing looks broken.
void RecordListAssembly::Launch(CMainFrame& frame, GameVersion version)
{
    const LaunchResult result = LaunchGame(version, m_list->Settings(), m_prompt, m_runner);
    if (!result.statusText.isEmpty()) {
        frame.statusBar()->showMessage(result.statusText);
        m_prompt.ShowMessage(UserPrompt::MessageKind::Error, result.statusText);
    }
}

void RecordListAssembly::Start(const StartRequest& request)
{
    if (request.kind != StartRequest::Kind::SaveGameFolder)
        m_list->SetStartFolder(request.folder);
    m_list->StartUp();
    if (request.kind == StartRequest::Kind::Record)
        m_list->ShowRecordFile(request.record);
}
