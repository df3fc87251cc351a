#pragma once

#include "ArchiveResult.h"

#include <QString>

#include <cstdint>
#include <vector>

// Reads the file entry `entryName` ('/'-separated, as ArchiveLocation::EntryName gives it) of a Zip
// or RAR archive into memory; nothing is written to disk. The first entry of that name counts.
// NoSuchEntry when no file entry has the name, TooLarge past MaxArchiveEntrySize (declared or
// found while reading), Damaged when the archive or the entry's data cannot be read.
ArchiveResult ReadArchiveEntry(const QString& archivePath, const QString& entryName, std::vector<std::uint8_t>& bytes);
