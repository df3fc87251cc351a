#include "FolderListing.h"

#include <QDateTime>

#include "ListEntryText.h"
#include "TemporaryNames.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

QString FolderPrefix(const QString& folder)
{
    QString prefix = QDir::toNativeSeparators(folder);
    if (!prefix.endsWith(QDir::separator()))
        prefix += QDir::separator();
    return prefix;
}

// The entry as the list shows it, or nothing when it is not listed or its status is unreadable.
std::optional<MgxListItem> ListedEntry(const QFileInfo& info, const QString& prefix, const QLocale& locale)
{
    // exists() follows links: a link whose target is gone has no status and is left out.
    if (!info.exists())
        return std::nullopt;
    const bool isFolder = info.isDir();
    MgxListItem item;
    item.name = info.fileName();
    item.kind = ClassifyEntry(isFolder, item.name);
    if (item.kind == MgxItemKind::NotListed || item.name.isEmpty())
        return std::nullopt;
    item.fullPath = prefix + item.name;
    item.size = isFolder ? 0 : static_cast<quint64>(info.size());
    item.sizeText = FormatSizeText(item.size, locale);
    const QDateTime modified = info.lastModified();
    item.timeText = FormatTimeText(modified);
    item.mtime = modified.toMSecsSinceEpoch();
    return item;
}

} // namespace

QString EntryPath(const QString& folder, const QString& name)
{
    return FolderPrefix(folder) + name;
}

std::optional<QList<MgxListItem>> ListFolderEntries(const QString& folder, const QLocale& locale, bool* leftoversSeen)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable())
        return std::nullopt;
    const QString prefix = FolderPrefix(folder);
    QList<MgxListItem> items;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    bool leftovers = false;
    while (entries.hasNext()) {
        const QFileInfo entry = entries.nextFileInfo();
        // Korvale's own temporary files and staging folders are never shown.
        if (TemporaryNames::OwnerOf(QFile::encodeName(entry.fileName())) >= 0) {
            leftovers = true;
            continue;
        }
        if (std::optional<MgxListItem> item = ListedEntry(entry, prefix, locale))
            items.append(std::move(*item));
    }
    if (leftoversSeen)
        *leftoversSeen = leftovers;
    return items;
}
