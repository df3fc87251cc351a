#pragma once

#include "CommandLine.h"
#include "FileCommands.h"
#include "LaunchCommand.h"
#include "ListSelection.h"
#include "ProgressDialogSink.h"
#include "TemplateRenamer.h"

#include <QString>

#include <memory>

class CMainFrame;
class LibrarySearch;
class QCheckBox;
class QLineEdit;
class CommandTable;
class MgxListView;
class ProcessRunner;
class UserPrompt;

// Puts the record list into the main window: the list with its settings, its information pane
// and its address bar, its commands and the file commands in the command table, the settings
// dialog and the game launcher, then the listing the command line asks for. Lives as long as the
// window.
class RecordListAssembly {
public:
    RecordListAssembly(UserPrompt& prompt, ProcessRunner& runner, QString configPath);
    ~RecordListAssembly();

    void Build(CMainFrame& frame, CommandTable& commands, const StartRequest& request);

    MgxListView* List() const { return m_list; }
    LibrarySearch* GetLibrarySearch() const { return m_librarySearch; }
    QLineEdit* SearchField() const { return m_searchField; }
    QCheckBox* SubfolderToggle() const { return m_subfolderToggle; }
    // Where the library index is kept; the cache folder's when not set before Build.
    void SetLibraryPath(const QString& path) { m_libraryPath = path; }

private:
    void RegisterListCommands(CommandTable& commands);
    void RegisterFileCommands(CommandTable& commands);
    void RegisterTemplateRename(CommandTable& commands);
    void RegisterSettingsAndLaunch(CMainFrame& frame, CommandTable& commands);
    void Launch(CMainFrame& frame, GameVersion version);
    void Start(const StartRequest& request);
    void BuildSearch(CMainFrame& frame);
    void LogWhatTheWindowShows(CMainFrame& frame);

    UserPrompt& m_prompt;
    ProcessRunner& m_runner;
    QString m_configPath;
    MgxListView* m_list = nullptr; // owned by the main window
    LibrarySearch* m_librarySearch = nullptr; // owned by the list
    QLineEdit* m_searchField = nullptr;
    QCheckBox* m_subfolderToggle = nullptr;
    QString m_libraryPath;
    std::unique_ptr<ListSelection> m_selection;
    std::unique_ptr<ProgressDialogSink> m_progress;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<TemplateRenamer> m_templateRenamer;
};
