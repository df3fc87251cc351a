#include "CMainFrame.h"

#include "AddressBar.h"
#include "AppFolders.h"
#include "CAboutDlg.h"
#include "CommandTable.h"
#include "HelpWindow.h"
#include "KeyLockState.h"
#include "ListNavigation.h"
#include "MgxInfoDlgBar.h"
#include "MgxListViewDoc.h"
#include "NavigationEvent.h"
#include "PathCombo.h"
#include "SettingsCheck.h"
#include "Splash.h"
#include "SwitchSplitter.h"
#include "ToolbarStrip.h"
#include "UserPrompt.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

const QString readyText = QStringLiteral("就绪");

} // namespace

CMainFrame::CMainFrame(CommandTable& commands, UserPrompt& prompt, const MgxListViewDoc& document, QWidget* parent)
    : QMainWindow(parent)
    , m_commands(commands)
    , m_prompt(prompt)
    , m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/korvale.png")));
    setWindowTitle(Caption(document.Title()));
    Splash::ShowOver(this);
    BuildMainToolBar();
    BuildAddressRow();
    BuildStatusBar();
    BuildClientArea();
    RegisterShellCommands();
    BuildMenus();
    resize(1180, 880);
}

void CMainFrame::BuildMenus()
{
    for (const Commands::MenuLayout& layout : Commands::MainMenus()) {
        QMenu* menu = m_commands.BuildMenu(layout.title, layout.entries, menuBar(), CommandTable::WithShortcut);
        menuBar()->addMenu(menu);
    }
}

void CMainFrame::BuildMainToolBar()
{
    m_mainToolBar = new QToolBar(QStringLiteral("工具栏"), this);
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_mainToolBar->setMovable(false);
    m_mainToolBar->setFloatable(false);
    m_mainToolBar->setIconSize(QSize(32, 32));
    m_mainToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const std::vector<QIcon> icons = ToolbarStrip::Icons(QImage(QStringLiteral(":/toolbars/main.png")),
                                                         QImage(QStringLiteral(":/toolbars/main-disabled.png")), 32);
    size_t picture = 0;
    for (const int id : Commands::MainToolBarButtons()) {
        if (id == 0) {
            m_mainToolBar->addSeparator();
            continue;
        }
        QAction* action = m_commands.CreateAction(id, m_mainToolBar);
        if (picture < icons.size())
            action->setIcon(icons[picture]);
        ++picture;
        m_mainToolBar->addAction(action);
        auto* button = qobject_cast<QToolButton*>(m_mainToolBar->widgetForAction(action));
        if (!button)
            continue;
        button->setObjectName(QStringLiteral("command%1").arg(id));
        if (id == Commands::Launch) {
            // Only the arrow opens the menu; the button's body has no command of its own.
            QMenu* launch = m_commands.BuildMenu({}, Commands::LaunchMenu(), this);
            launch->setObjectName(QStringLiteral("launchMenu"));
            button->setMenu(launch);
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
    }
    addToolBar(Qt::TopToolBarArea, m_mainToolBar);
}

void CMainFrame::BuildAddressRow()
{
    addToolBarBreak(Qt::TopToolBarArea);
    m_addressToolBar = new QToolBar(QStringLiteral("地址栏"), this);
    m_addressToolBar->setObjectName(QStringLiteral("addressToolBar"));
    m_addressToolBar->setMovable(false);
    m_addressToolBar->setFloatable(false);
    m_addressBar = new AddressBar(m_commands, m_addressToolBar);
    m_addressBar->RegisterTextFieldCommands(m_commands);
    m_addressToolBar->addWidget(m_addressBar);
    addToolBar(Qt::TopToolBarArea, m_addressToolBar);
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    for (const QString& key : {QStringLiteral("CAP"), QStringLiteral("NUM"), QStringLiteral("SCRL")}) {
        auto* pane = new QLabel(key, bar);
        pane->setObjectName(QStringLiteral("pane") + key);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
        m_lockPanes.push_back(pane);
    }
    connect(bar, &QStatusBar::messageChanged, this, &CMainFrame::ShowReadyWhenIdle);
    bar->showMessage(readyText);
    // Only an X11 display tells the lock keys' state; elsewhere the panes stay greyed.
    if (KeyLockState::Read()) {
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this] {
            if (const std::optional<KeyLockState> state = KeyLockState::Read())
                ShowKeyLocks(*state);
        });
        poll->start(300);
    }
}

void CMainFrame::ShowKeyLocks(const KeyLockState& state)
{
    const bool on[] = {state.capsLock, state.numLock, state.scrollLock};
    for (size_t i = 0; i < m_lockPanes.size() && i < 3; ++i)
        m_lockPanes[i]->setEnabled(on[i]);
}

void CMainFrame::ShowReadyWhenIdle(const QString& message)
{
    if (message.isEmpty())
        statusBar()->showMessage(readyText);
}

void CMainFrame::BuildClientArea()
{
    m_clientArea = new QWidget(this);
    m_clientArea->setObjectName(QStringLiteral("clientArea"));
    auto* row = new QHBoxLayout(m_clientArea);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_infoBar = new MgxInfoDlgBar(m_clientArea);
    m_infoBar->setObjectName(QStringLiteral("infoBar"));
    m_infoBar->setFixedWidth(m_infoBar->sizeHint().width());
    m_switch = new SwitchSplitter(m_clientArea);
    m_switch->SetPanel(m_infoBar);
    row->addWidget(m_infoBar);
    row->addWidget(m_switch);
    // Until the record list arrives, an empty area holds its place.
    auto* placeholder = new QWidget(m_clientArea);
    placeholder->setObjectName(QStringLiteral("listPlaceholder"));
    row->addWidget(placeholder, 1);
    m_list = placeholder;
    setCentralWidget(m_clientArea);
}

void CMainFrame::SetRecordList(QWidget* list)
{
    if (!list)
        return;
    auto* row = static_cast<QHBoxLayout*>(m_clientArea->layout());
    if (m_list) {
        row->removeWidget(m_list);
        if (m_list->objectName() == QStringLiteral("listPlaceholder"))
            m_list->deleteLater();
    }
    list->setParent(m_clientArea);
    row->addWidget(list, 1);
    list->show();
    m_list = list;
    setFocusProxy(list);
    auto* deleteKey = new QAction(list);
    deleteKey->setShortcut(QKeySequence::Delete);
    deleteKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(deleteKey, &QAction::triggered, this, [this] { m_commands.Trigger(Commands::Delete); });
    list->addAction(deleteKey);
}

void CMainFrame::SetNavigation(ListNavigation* navigation)
{
    m_navigation = navigation;
    m_addressBar->GetPathCombo().SetNavigationTarget(navigation);
    if (navigation)
        navigation->SetAddressBarTarget(&m_addressBar->GetPathCombo());
}

void CMainFrame::OpenFolder()
{
    // The picker opens in the folder listed, where a player looks for its neighbours.
    const QString listed = m_addressBar->GetPathCombo().SelectedFolder();
    if (const std::optional<QString> folder = m_prompt.ChooseFolder(QStringLiteral("打开文件夹..."), listed))
        Navigate([&](ListNavigation& to) { to.NavigateTo(*folder); });
}

void CMainFrame::Navigate(const std::function<void(ListNavigation&)>& step)
{
    if (m_navigation)
        step(*m_navigation);
}

void CMainFrame::OpenHelp()
{
    const QString help = AppFolders::Locate(AppFolders::helpFile);
    if (help.isEmpty()) {
        m_prompt.ShowMessage(UserPrompt::MessageKind::Warning, QStringLiteral("找不到帮助文档。"));
        return;
    }
    // A desktop without a program for HTML files: the program shows it itself.
    if (m_openUrl(QUrl::fromLocalFile(help)))
        return;
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->ShowDocument(help);
}

void CMainFrame::ShowAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::RegisterShellCommands()
{
    PathCombo* combo = &m_addressBar->GetPathCombo();
    // Up and refresh start from what the list lists, whether it was chosen or typed.
    m_commands.RegisterHandler(Commands::Up, [this] { Navigate([](ListNavigation& to) { to.Up(); }); });
    m_commands.RegisterHandler(Commands::Refresh, [this] { Navigate([](ListNavigation& to) { to.Refresh(); }); });
    m_commands.RegisterHandler(Commands::OpenFolder, [this] { this->OpenFolder(); });
    m_commands.RegisterHandler(Commands::GoToSaveGameFolder, [this] {
        if (!m_saveGameFolder)
            return;
        // A click that does nothing looks broken: say why.
        const QString folder = m_saveGameFolder();
        if (const QString problem = SettingsCheck::SaveGameFolderProblem(folder); !problem.isEmpty())
            m_prompt.ShowMessage(UserPrompt::MessageKind::Warning, problem);
        else
            Navigate([&](ListNavigation& to) { to.NavigateTo(folder); });
    });
    m_commands.RegisterHandler(Commands::GoToDesktop, [this, combo] {
        Navigate([combo](ListNavigation& to) { to.NavigateTo(combo->DesktopFolder()); });
    });
    m_commands.RegisterHandler(Commands::GoToComputer, [this, combo] {
        Navigate([combo](ListNavigation& to) { to.NavigateTo(combo->ComputerFolder()); });
    });
    // Like Enter in the text field.
    m_commands.RegisterHandler(Commands::GoTo, [combo] {
        QCoreApplication::postEvent(combo, new NavigationEvent(NavigationEvent::GoToTypedPath, {}));
    });
    m_commands.RegisterHandler(Commands::About, [this] { ShowAbout(); });
    m_commands.RegisterHandler(Commands::Help, [this] { OpenHelp(); });
    m_commands.RegisterHandler(Commands::Exit, [this] { close(); });
    m_commands.RegisterHandler(Commands::ToggleStatusBar, [this] { statusBar()->setHidden(!statusBar()->isHidden()); });
    m_commands.RegisterCheckedState(Commands::ToggleStatusBar, [this] { return !statusBar()->isHidden(); });
    m_commands.RegisterHandler(Commands::ToggleToolBar, [this] {
        const bool show = m_mainToolBar->isHidden();
        m_mainToolBar->setVisible(show);
        m_addressToolBar->setVisible(show);
    });
    m_commands.RegisterCheckedState(Commands::ToggleToolBar, [this] { return !m_mainToolBar->isHidden(); });
    // The list starts in its details view; it replaces these when it registers its own state.
    m_commands.RegisterCheckedState(Commands::ListView, [] { return false; });
    m_commands.RegisterCheckedState(Commands::DetailsView, [] { return true; });
}

void CMainFrame::ShowListContextMenu(const QPoint& globalPosition)
{
    QMenu* menu = m_commands.BuildMenu({}, Commands::ListContextMenu(), this);
    menu->setObjectName(QStringLiteral("listContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

QMenu* CMainFrame::createPopupMenu()
{
    return m_commands.BuildMenu({}, {{Commands::MenuEntry::Kind::Item, Commands::ToggleToolBar, {}, {}},
                                     {Commands::MenuEntry::Kind::Item, Commands::ToggleStatusBar, {}, {}}},
                                this);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_list)
        QTimer::singleShot(0, m_list.data(), [list = m_list] { if (list) list->setFocus(); });
}

namespace {

const char* const kPlacementKey = "Window/Geometry";

QSettings Profile() { return QSettings(QStringLiteral("Korvale"), QStringLiteral("Korvale")); }

} // namespace

void CMainFrame::RestorePlacement()
{
    const QByteArray placement = Profile().value(kPlacementKey).toByteArray();
    if (!placement.isEmpty())
        restoreGeometry(placement);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    Profile().setValue(kPlacementKey, saveGeometry());
    QMainWindow::closeEvent(event);
}

void CMainFrame::focusInEvent(QFocusEvent* event)
{
    QMainWindow::focusInEvent(event);
    if (m_list)
        m_list->setFocus();
}
