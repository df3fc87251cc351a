#pragma once

#include "ArchiveLocation.h"
#include "ArchiveResult.h"
#include "MgxListItem.h"

#include <QList>
#include <QLocale>

// Lists one folder inside a Zip or RAR archive the way a plain folder is listed: its subfolders
// (given by the archive or implied by deeper names), record files and archives, with size and time
// from the archive's directory. Entries with hostile names are left out; of two entries with the
// same name the first counts. Full paths are the location's listing path plus the name.
// Damaged when the archive cannot be read to its end; NoSuchFolder when nothing lies in the folder
// and the archive does not name it either (an empty archive's root is an empty listing).
ArchiveResult ListArchiveFolder(const ArchiveLocation& location, const QLocale& locale, QList<MgxListItem>& items);
