#include "ArchiveListing.h"

#include "ArchiveHandle.h"
#include "FolderListing.h"
#include "ListEntryText.h"

#include <QHash>

namespace {

struct Child {
    bool isFolder = false;
    quint64 size = 0;
    QDateTime time;
};

// The part of `name` below `folder`, or nothing when it does not lie below it.
std::optional<QString> Below(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    if (name.size() > folder.size() + 1 && name.startsWith(folder) && name[folder.size()] == QLatin1Char('/'))
        return name.mid(folder.size() + 1);
    return std::nullopt;
}

// Records the current entry as a child of the folder; `order` keeps the archive's order.
void AddChild(const ArchiveHandle& archive, const QString& rest, QHash<QString, Child>& children, QStringList& order)
{
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    const QString name = slash < 0 ? rest : rest.left(slash);
    const bool isFolder = slash >= 0 || archive.IsFolder();
    const QDateTime time = archive.Time();
    auto found = children.find(name);
    if (found == children.end()) {
        Child child;
        child.isFolder = isFolder;
        child.size = isFolder ? 0 : archive.DeclaredSize().value_or(0);
        child.time = time;
        children.insert(name, child);
        order.append(name);
        return;
    }
    // A folder only implied by its contents shows its newest entry's time.
    if (found->isFolder && isFolder && slash >= 0 && time.isValid() && (!found->time.isValid() || time > found->time))
        found->time = time;
}

} // namespace

ArchiveResult ListArchiveFolder(const ArchiveLocation& location, const QLocale& locale, QList<MgxListItem>& items)
{
    ArchiveHandle archive(location.archivePath);
    if (!archive.IsOpen())
        return ArchiveResult::Damaged;
    QHash<QString, Child> children;
    QStringList order;
    bool folderNamed = location.innerFolder.isEmpty();
    for (;;) {
        const ArchiveHandle::Step step = archive.Next();
        if (step == ArchiveHandle::Step::Failed)
            return ArchiveResult::Damaged;
        if (step == ArchiveHandle::Step::End)
            break;
        const std::optional<QString> name = archive.CleanName();
        // Links and other special entries are never unpacked, so they are not shown either.
        if (!name || (!archive.IsFile() && !archive.IsFolder()))
            continue;
        if (*name == location.innerFolder && archive.IsFolder())
            folderNamed = true;
        if (const std::optional<QString> rest = Below(location.innerFolder, *name))
            AddChild(archive, *rest, children, order);
    }
    if (order.isEmpty() && !folderNamed)
        return ArchiveResult::NoSuchFolder;

    const QString listingPath = location.ListingPath();
    QList<MgxListItem> listed;
    for (const QString& name : order) {
        const Child& child = children[name];
        MgxListItem item;
        item.kind = ClassifyEntry(child.isFolder, name);
        if (item.kind == MgxItemKind::NotListed)
            continue;
        item.name = name;
        item.fullPath = EntryPath(listingPath, name);
        item.size = child.size;
        item.sizeText = FormatSizeText(item.size, locale);
        item.timeText = FormatTimeText(child.time);
        listed.append(std::move(item));
    }
    items = std::move(listed);
    return ArchiveResult::Ok;
}
