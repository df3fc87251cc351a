#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <vector>

class AddressBar;
class CommandTable;
class HelpWindow;
struct KeyLockState;
class ListNavigation;
class MgxInfoDlgBar;
class MgxListViewDoc;
class QLabel;
class QMenu;
class QToolBar;
class SwitchSplitter;
class UserPrompt;

// The main window: the toolbar and the address bar on two rows, the information panel at the
// left with its switch, the record list filling the rest, and the status bar.
//
// The record list plugs in with SetRecordList (it becomes the central widget and takes the
// focus) and SetNavigation (it receives ListFolder and GoToTypedPath events and carries out the
// navigation commands). Everything
// else it and the file commands need goes through the CommandTable.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    static QString WindowTitle() { return QStringLiteral("Korvale 1.38正式版"); }
    static QString Caption(const QString& documentTitle) { return documentTitle + QStringLiteral(" - ") + WindowTitle(); }

    CMainFrame(CommandTable& commands, UserPrompt& prompt, const MgxListViewDoc& document, QWidget* parent = nullptr);

    void SetRecordList(QWidget* list);
    // Who lists folders: the address bar's target, and what the navigation commands act on.
    void SetNavigation(ListNavigation* navigation);
    // Where the SaveGame command goes: read each time, since the settings can change it.
    void SetSaveGameFolderSource(std::function<QString()> source) { m_saveGameFolder = std::move(source); }
    // Opens the help document with the desktop (false when it cannot); tests hand in a recorder.
    void SetUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }

    // The list's right-click menu; the list opens it only while something is selected.
    void ShowListContextMenu(const QPoint& globalPosition);

    AddressBar& GetAddressBar() const { return *m_addressBar; }
    MgxInfoDlgBar& InfoBar() const { return *m_infoBar; }
    SwitchSplitter& GetSwitchSplitter() const { return *m_switch; }
    QWidget* RecordList() const { return m_list; }
    QToolBar* MainToolBar() const { return m_mainToolBar; }

    // The size and place the window had when it was last closed, from the per-user configuration
    // folder (config.ini keeps only the game's paths).
    void RestorePlacement();

    QMenu* createPopupMenu() override;
    // A lit pane for each lock key that is on, a greyed one for each that is off.
    void ShowKeyLocks(const KeyLockState& state);

protected:
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildMainToolBar();
    void BuildAddressRow();
    void BuildStatusBar();
    void BuildClientArea();
    void RegisterShellCommands();
    void Navigate(const std::function<void(ListNavigation&)>& step);
    void OpenFolder();
    void OpenHelp();
    void ShowAbout();
    void ShowReadyWhenIdle(const QString& message);

    CommandTable& m_commands;
    UserPrompt& m_prompt;
    AddressBar* m_addressBar = nullptr;
    MgxInfoDlgBar* m_infoBar = nullptr;
    SwitchSplitter* m_switch = nullptr;
    QWidget* m_clientArea = nullptr;
    QPointer<QWidget> m_list;
    QPointer<ListNavigation> m_navigation;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_addressToolBar = nullptr;
    std::vector<QLabel*> m_lockPanes;
    std::function<QString()> m_saveGameFolder;
    std::function<bool(const QUrl&)> m_openUrl;
    HelpWindow* m_helpWindow = nullptr; // made on the first F1 the desktop cannot answer
};
