#pragma once

#include <QString>

// How one copy, move, rename or delete of a listed entry ended.
enum class FileResult {
    Ok,
    TargetExists, // the target name is taken; nothing was changed
    NotAFile,     // a folder (or other non-file) where only files are handled
    Failed,       // any other failure; the source is untouched
};

// Copies, moves, renames and deletes single entries without ever losing data: a copy lands under
// its name only complete and synced, an existing name is never replaced unless asked for, and a
// failure at any step leaves the source as it was and no partial file behind.
namespace FileTransfer {

// Copies the file source to target, keeping its permission bits and last-write time. Without
// overwrite an existing target gives TargetExists; with it, the target is replaced in one step
// by the complete copy. Folders give NotAFile.
FileResult CopyFile(const QString& source, const QString& target, bool overwrite);

// Moves a file or folder to target, which must not exist. Across file systems a file is copied,
// checked and placed before the source is removed; a folder cannot cross.
FileResult MoveEntry(const QString& source, const QString& target);

// Renames a file or folder to a target name that must not exist yet.
FileResult RenameEntry(const QString& source, const QString& target);

// Removes a file for good. Folders give NotAFile.
FileResult DeleteFile(const QString& path);

} // namespace FileTransfer
