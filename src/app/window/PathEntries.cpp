#include "PathEntries.h"

#include <QDir>

#include <algorithm>

namespace PathEntries {

namespace {

const QString computerName = QStringLiteral("计算机");

// True when `folder` is `ancestor` or lies below it.
bool Contains(const QString& ancestor, const QString& folder)
{
    if (ancestor.isEmpty() || folder.isEmpty())
        return false;
    if (folder == ancestor)
        return true;
    const QString prefix = ancestor.endsWith(QLatin1Char('/')) ? ancestor : ancestor + QLatin1Char('/');
    return folder.startsWith(prefix);
}

// The fixed entry that anchors `folder`: a desktop folder or the desktop itself for folders
// on the desktop, else the volume holding it most closely. -1 when none does.
int Anchor(const std::vector<Entry>& fixed, const QString& folder)
{
    if (fixed.empty())
        return -1;
    if (Contains(fixed.front().path, folder)) {
        for (int i = 1; i < int(fixed.size()); ++i) {
            if (fixed[i].kind == Kind::Folder && Contains(fixed[i].path, folder))
                return i;
        }
        return 0; // a desktop folder made after the fixed entries were built
    }
    int best = -1;
    for (int i = 0; i < int(fixed.size()); ++i) {
        const bool volume = fixed[i].kind == Kind::Volume || fixed[i].kind == Kind::RemovableVolume;
        if (volume && Contains(fixed[i].path, folder) && (best < 0 || fixed[i].path.size() > fixed[best].path.size()))
            best = i;
    }
    return best;
}

// The path entries from below `anchor` down to `folder`.
std::vector<Entry> PathBelow(const Entry& anchor, const QString& folder)
{
    const QString rest = folder.mid(anchor.path.size());
    std::vector<Entry> below;
    QString path = anchor.path;
    int level = anchor.level;
    for (const QString& name : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = path.endsWith(QLatin1Char('/')) ? path + name : path + QLatin1Char('/') + name;
        below.push_back({path, name, ++level, Kind::Folder});
    }
    return below;
}

} // namespace

QString Normalised(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QString slashed = QDir::fromNativeSeparators(path);
    if (!QDir::isAbsolutePath(slashed))
        return {};
    return QDir::cleanPath(slashed);
}

std::vector<Entry> FixedEntries(const QString& desktopFolder, const std::vector<QString>& desktopFolders,
                                const std::vector<Volume>& volumes)
{
    const QString desktop = Normalised(desktopFolder);
    std::vector<Entry> fixed{{desktop, QStringLiteral("桌面"), 0, Kind::Desktop}};
    for (const QString& name : desktopFolders)
        fixed.push_back({Normalised(desktop + QLatin1Char('/') + name), name, 1, Kind::Folder});
    fixed.push_back({QStringLiteral("/"), computerName, 1, Kind::Computer});
    for (const Volume& volume : volumes) {
        fixed.push_back({Normalised(volume.rootPath), VolumeName(volume), 2,
                         volume.removable ? Kind::RemovableVolume : Kind::Volume});
    }
    return fixed;
}

std::vector<Volume> ChooseVolumes(const std::vector<Volume>& mounted, const QString& homeVolumeRoot)
{
    std::vector<Volume> chosen;
    const auto take = [&](const Volume& volume) {
        const QString root = Normalised(volume.rootPath);
        const bool known = std::any_of(chosen.begin(), chosen.end(),
                                       [&](const Volume& v) { return Normalised(v.rootPath) == root; });
        if (!root.isEmpty() && !known)
            chosen.push_back(volume);
    };
    const QString home = Normalised(homeVolumeRoot);
    std::vector<Volume> removable;
    for (const Volume& volume : mounted) {
        if (Normalised(volume.rootPath) == QStringLiteral("/"))
            take(volume);
        else if (volume.removable)
            removable.push_back(volume);
    }
    if (chosen.empty())
        chosen.push_back({QStringLiteral("/"), {}, false});
    for (const Volume& volume : mounted) {
        if (Normalised(volume.rootPath) == home)
            take(volume);
    }
    std::sort(removable.begin(), removable.end(),
              [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    for (const Volume& volume : removable)
        take(volume);
    return chosen;
}

QString VolumeName(const Volume& volume)
{
    const QString root = Normalised(volume.rootPath);
    if (root == QStringLiteral("/"))
        return QStringLiteral("根目录 (/)");
    const QString name = volume.label.isEmpty() ? root.section(QLatin1Char('/'), -1) : volume.label;
    return name + QStringLiteral(" (") + root + QLatin1Char(')');
}

Contents Compose(const std::vector<Entry>& fixed, const QString& folder)
{
    Contents contents;
    if (fixed.empty())
        return contents;
    const QString target = folder.isEmpty() ? fixed.front().path : Normalised(folder);
    const int anchor = Anchor(fixed, target);
    for (int i = 0; i < int(fixed.size()); ++i) {
        contents.entries.push_back(fixed[i]);
        if (i != anchor)
            continue;
        if (fixed[i].path == target) {
            contents.selected = int(contents.entries.size()) - 1;
            contents.fieldText = fixed[i].name;
            continue;
        }
        for (Entry& entry : PathBelow(fixed[i], target))
            contents.entries.push_back(std::move(entry));
        contents.selected = int(contents.entries.size()) - 1;
        contents.fieldText = QDir::toNativeSeparators(target);
    }
    if (anchor < 0)
        contents.fieldText = QDir::toNativeSeparators(target);
    return contents;
}

} // namespace PathEntries
