#pragma once

#include "MgxListItem.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

// The listed entries of one folder, hidden ones included, in the order the file system gives
// them: subfolders, record files, Zip and RAR archives. An entry whose status cannot be read (a
// dangling link, a file removed while listing) is left out. Nothing when the folder cannot be
// enumerated at all. Sizes are grouped with the locale's separators.
// Korvale's own temporary names are never listed; leftoversSeen, when given, says whether there were any.
std::optional<QList<MgxListItem>> ListFolderEntries(const QString& folder, const QLocale& locale,
                                                    bool* leftoversSeen = nullptr);

// The full path of an entry: the folder, one native separator, the name.
QString EntryPath(const QString& folder, const QString& name);
