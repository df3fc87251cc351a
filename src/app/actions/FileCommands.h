#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct ArchiveLocation;

class ProcessRunner;
class ProgressSink;
class RecordSelection;
class UserPrompt;

// The record list's file commands: copy to, move to, delete, rename, pack into a Zip archive and
// unpack the selected archives. Inside an archive copy-to extracts the selected entries and the
// others are refused. Each acts on the selection it is handed and talks to the user only through
// the prompt. The folder pickers open in the folder listed; copy and move say where the files
// went. Copy, delete and pack handle files only: folders in the selection are skipped and said
// once. A file the player declines to overwrite is kept and the rest go on.
class FileCommands {
public:
    FileCommands(UserPrompt& prompt, RecordSelection& selection, ProcessRunner& runner, ProgressSink& progress);

    // Where the RAR tool is looked for: the program's folder and a PATH value. Both default to
    // the running program's.
    void SetToolSearch(const QString& programFolder, const QString& searchPath);

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

    // The question before a file is replaced, naming it.
    static QString OverwriteQuestion(const QString& existing);
    // The line saying which folders a command left out; empty when none.
    static QString SkippedFoldersNote(const QStringList& folders);
    // Where a copy or move put the files: verb is 复制 or 移动.
    static QString TransferSummary(const QString& verb, int count, const QString& folder);

private:
    // The answers to "文件已存在，是否覆盖？" through one command: 全部是 / 全部否 hold for the rest.
    class OverwriteAnswers {
    public:
        explicit OverwriteAnswers(UserPrompt& prompt) : m_prompt(prompt) {}
        bool Confirm(const QString& existing);
        int Declined() const { return m_declined; }

    private:
        bool Ask(const QString& existing);

        UserPrompt& m_prompt;
        std::optional<bool> m_forAll;
        int m_declined = 0;
    };
    struct SplitSelection {
        QList<int> files;    // rows of everything but folders, in list order
        QStringList folders; // the names of the folders selected
    };
    enum class CopyOutcome { Copied, Declined, Failed };

    std::optional<QString> ChooseTargetFolder(const QString& title, const QString& startFolder);
    SplitSelection SplitSelected() const;
    QString StartFolder() const;
    // One message of text and note (either may be empty; nothing when both are).
    void Tell(const QString& text, const QString& note);
    CopyOutcome CopyOne(int row, const QString& folder, OverwriteAnswers& answers);
    bool ExtractAll(const ArchiveLocation& archive, const QList<int>& rows, const QString& folder,
                    OverwriteAnswers& answers);
    // Inside an archive only copy-to works; the other commands say so and do nothing.
    bool RefusedInArchive();
    void ShowFailure(const QString& verb, const QString& source, const QString& target);
    void ReportPack(int result, const QString& archivePath, const QString& note);

    UserPrompt& m_prompt;
    RecordSelection& m_selection;
    ProcessRunner& m_runner;
    ProgressSink& m_progress;
    QString m_programFolder;
    QString m_searchPath;
};
