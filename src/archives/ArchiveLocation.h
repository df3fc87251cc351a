#pragma once

#include <QString>

#include <optional>

// Where a listed path lies when it leads into a Zip or RAR archive: "/games/cup.zip/final" is the
// folder "final" inside the archive file "/games/cup.zip".
struct ArchiveLocation {
    QString archivePath; // the archive file, native separators
    QString innerFolder; // '/'-separated, no leading or trailing '/'; empty for the archive's root

    // The path the list shows for this place: the archive's path, then the inner folder.
    QString ListingPath() const;
    // The name inside the archive of an entry `name` listed at this place.
    QString EntryName(const QString& name) const;

    bool operator==(const ArchiveLocation&) const = default;
};

// The archive an absolute path leads into: its first part that is a regular file, when that file
// is a Zip or RAR archive ("*.zip", "*.rar"). Nothing for a plain folder or file, a path below some
// other file, or a path that does not exist on disk up to the archive.
std::optional<ArchiveLocation> LocateArchive(const QString& path);
