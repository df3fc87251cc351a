#pragma once

#include <QString>

#include <optional>

struct ArchiveLocation;

class ProcessRunner;
class ProgressSink;
class RecordSelection;
class UserPrompt;

// The record list's file commands: copy to, move to, delete, rename, pack into a Zip archive and
// unpack the selected archives. Inside an archive copy-to extracts the selected entries and the
// others are refused. Each acts on the selection it is handed and talks to the user
// only through the prompt. Keep one for the run: the move's folder picker starts where the last
// picker ended.
class FileCommands {
public:
    FileCommands(UserPrompt& prompt, RecordSelection& selection, ProcessRunner& runner, ProgressSink& progress);

    // Where the RAR tool is looked for: the program's folder and a PATH value. Both default to
    // the running program's.
    void setToolSearch(const QString& programFolder, const QString& searchPath);

    // Runs the command with that id; false when the id is not one of these commands.
    bool RunCommand(int id);

    void CopyToFolder();
    void MoveToFolder();
    void DeleteSelected();
    void RenameSelected();
    // The end of the label edit of row: the new text, or nothing when the edit was cancelled.
    // True when the file was renamed and the list should take the new label.
    bool FinishRename(int row, const std::optional<QString>& newText);
    void PackIntoZip();
    void UnpackSelected();

private:
    std::optional<QString> chooseTargetFolder(const QString& title, const QString& startFolder);
    bool copyOne(int row, const QString& folder);
    bool extractAll(const ArchiveLocation& archive, const QList<int>& rows, const QString& folder);
    // Inside an archive only copy-to works; the other commands say so and do nothing.
    bool refusedInArchive();
    void showFailure(const QString& verb, const QString& source, const QString& target);
    void reportPack(int result, const QString& archivePath);

    UserPrompt& m_prompt;
    RecordSelection& m_selection;
    ProcessRunner& m_runner;
    ProgressSink& m_progress;
    QString m_programFolder;
    QString m_searchPath;
    QString m_lastFolder;
};
