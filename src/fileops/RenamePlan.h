#pragma once

#include "FileTransfer.h"

#include <QList>
#include <QSet>
#include <QString>

// Why a planned new name cannot be used as it stands.
enum class RenameMark {
    None,
    InvalidName, // empty, too long, ".", "..", or a character a file name cannot hold here or on Windows
    Clash,       // another new name is the same, or the name is taken in the folder and stays taken
    Unreadable,  // the template needs the record, which could not be read
};

// One entry of a batch rename: the list row, the old and new names in `folder`.
struct PlannedRename {
    int row = -1;
    QString oldName;
    QString newName;
    RenameMark mark = RenameMark::None;

    bool Changes() const { return newName != oldName; }
};

// A batch of renames in one folder, in the order they are to be done.
struct RenamePlan {
    QString folder;
    QList<PlannedRename> steps;

    bool HasMarks() const;
};

// One rename that was done: full paths.
struct DoneRename {
    int row = -1;
    QString from;
    QString to;
};

// How applying (or undoing) a batch ended: the renames done, in order, and the first that failed.
struct RenameRun {
    QList<DoneRename> done;
    bool failed = false;
    QString failedFrom;
    QString failedTo;
};

// True when a file name could not be created, or would not survive a copy to Windows.
bool IsInvalidFileName(const QString& name);

// Marks each step's new name and orders the steps so that a name is freed before it is taken
// (a renames to b while b renames to c: b goes first). `taken` holds every name in the folder.
// Names that only swap among themselves cannot be ordered and are marked as clashes.
RenamePlan PlanRenames(const QString& folder, QList<PlannedRename> steps, const QSet<QString>& taken);

// Every name in a folder, hidden ones and dangling links included.
QSet<QString> NamesInFolder(const QString& folder);

// Renames step by step with the no-clobber rename, skipping unchanged names, and stops at the
// first failure. The plan must have no marks.
RenameRun ApplyRenamePlan(const RenamePlan& plan);

// Renames a run's done steps back, last first, again without replacing anything; stops at the
// first failure. The result's done list holds the steps undone (from = the renamed path).
RenameRun UndoRenames(const QList<DoneRename>& done);
