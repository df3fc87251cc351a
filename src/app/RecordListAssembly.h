#pragma once

#include "CommandLine.h"
#include "FileCommands.h"
#include "GameLaunch.h"
#include "ListSelection.h"
#include "ProgressDialogSink.h"
#include "TemplateRenamer.h"

#include <QString>

#include <memory>

class CMainFrame;
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

    MgxListView* list() const { return m_list; }

private:
    void RegisterListCommands(CommandTable& commands);
    void RegisterFileCommands(CommandTable& commands);
    void RegisterTemplateRename(CommandTable& commands);
    void RegisterSettingsAndLaunch(CMainFrame& frame, CommandTable& commands);
    void Launch(CMainFrame& frame, GameVersion version);
    void Start(const StartRequest& request);

    UserPrompt& m_prompt;
    ProcessRunner& m_runner;
    QString m_configPath;
    MgxListView* m_list = nullptr; // owned by the main window
    std::unique_ptr<ListSelection> m_selection;
    std::unique_ptr<ProgressDialogSink> m_progress;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<TemplateRenamer> m_templateRenamer;
};
