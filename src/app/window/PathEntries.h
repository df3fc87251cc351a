#pragma once

#include <QString>

#include <vector>

// The entries of the address bar's drop-down, computed without a display.
//
// Fixed entries: the desktop at level 0; its folders and the computer at level 1; the mounted
// volumes at level 2 right after the computer. Path entries: the folders between the fixed entry
// that holds the listed folder and that folder itself, one level deeper each.
namespace PathEntries {

enum class Kind { Desktop, Folder, Computer, Volume, RemovableVolume };

struct Entry {
    QString path; // absolute, '/' separators, no trailing '/' except the root
    QString name;
    int level = 0;
    Kind kind = Kind::Folder;

    bool operator==(const Entry&) const = default;
};

struct Volume {
    QString rootPath;
    QString label;
    bool removable = false;
};

// What the drop-down shows for one folder.
struct Contents {
    std::vector<Entry> entries;
    int selected = -1;
    QString fieldText;
};

// The normalised form every path is compared in; empty for an empty or relative path.
QString Normalised(const QString& path);

// The fixed entries from the desktop folder, the names of its folders in display order and the
// volumes (the root first).
std::vector<Entry> FixedEntries(const QString& desktopFolder, const std::vector<QString>& desktopFolders,
                                const std::vector<Volume>& volumes);

// The volumes worth showing: the root, the home folder's volume, then removable media in path
// order. Pseudo file systems and the like are left out by the caller's list of mounts.
std::vector<Volume> ChooseVolumes(const std::vector<Volume>& mounted, const QString& homeVolumeRoot);

// A volume's name in the drop-down.
QString VolumeName(const Volume& volume);

// The drop-down for folder `folder` (empty: the desktop).
Contents Compose(const std::vector<Entry>& fixed, const QString& folder);

} // namespace PathEntries
