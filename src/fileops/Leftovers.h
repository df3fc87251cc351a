#pragma once

#include "MgxListItem.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

// Tidying up after runs that were killed or failed: their temporary files and staging folders
// (named by TemporaryNames) would otherwise stay for ever.
namespace Leftovers {

// Removes from folder (not below it) the temporary files and staging folders whose process has
// ended; one of the older form goes once it is a day old. Symbolic links and anything not named
// so are never touched. Returns how many entries were removed.
int RemoveOrphans(const QString& folder);

// The folder's entries as the list shows them (ListFolderEntries); when they hid leftovers, those
// of ended runs are removed. What the list does on entering a folder.
std::optional<QList<MgxListItem>> ListAndTidy(const QString& folder, const QLocale& locale);

} // namespace Leftovers
