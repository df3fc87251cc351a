#include "RootFolders.h"

#include <QCollator>
#include <QDir>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>

namespace RootFolders {

namespace {

std::vector<QString> DesktopFolderNames(const QString& desktop)
{
    const QStringList names = QDir(desktop).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::vector<QString> sorted(names.begin(), names.end());
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(sorted.begin(), sorted.end(), [&](const QString& a, const QString& b) { return collator(a, b); });
    return sorted;
}

bool IsRemovableMount(const QString& root)
{
    return root.startsWith(QStringLiteral("/media/")) || root.startsWith(QStringLiteral("/run/media/"))
        || root.startsWith(QStringLiteral("/mnt/"));
}

std::vector<PathEntries::Volume> MountedVolumes()
{
    std::vector<PathEntries::Volume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady())
            continue;
        const QString root = storage.rootPath();
        volumes.push_back({root, storage.name(), IsRemovableMount(root)});
    }
    return volumes;
}

QIcon Fallback(const QString& name) { return QIcon(QStringLiteral(":/icons/%1.png").arg(name)); }

} // namespace

QString DesktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir(desktop).exists())
        return desktop;
    return QDir::homePath();
}

std::vector<PathEntries::Entry> Collect()
{
    const QString desktop = DesktopFolder();
    const QString homeVolume = QStorageInfo(QDir::homePath()).rootPath();
    return PathEntries::FixedEntries(desktop, DesktopFolderNames(desktop),
                                     PathEntries::ChooseVolumes(MountedVolumes(), homeVolume));
}

QIcon IconFor(PathEntries::Kind kind, bool open)
{
    using PathEntries::Kind;
    switch (kind) {
    case Kind::Desktop:
        return QIcon::fromTheme(QStringLiteral("user-desktop"), Fallback(QStringLiteral("place-desktop")));
    case Kind::Computer:
        return QIcon::fromTheme(QStringLiteral("computer"), Fallback(QStringLiteral("place-computer")));
    case Kind::Volume:
        return QIcon::fromTheme(QStringLiteral("drive-harddisk"), Fallback(QStringLiteral("place-drive")));
    case Kind::RemovableVolume:
        return QIcon::fromTheme(QStringLiteral("drive-removable-media"), Fallback(QStringLiteral("place-drive")));
    case Kind::Folder:
        break;
    }
    return open ? QIcon::fromTheme(QStringLiteral("folder-open"), Fallback(QStringLiteral("place-folder-open")))
                : QIcon::fromTheme(QStringLiteral("folder"), Fallback(QStringLiteral("place-folder")));
}

} // namespace RootFolders
