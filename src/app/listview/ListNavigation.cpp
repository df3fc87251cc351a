#include "ListNavigation.h"

#include "ArchiveListing.h"
#include "ArchiveMessages.h"
#include "FolderWatch.h"
#include "Leftovers.h"
#include "NavigationEvent.h"
#include "RecordListModel.h"
#include "UserPrompt.h"
#include "WaitCursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

ListNavigation::ListNavigation(RecordListModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("listNavigation"));
    m_watch = new FolderWatch(this);
    connect(m_watch, &FolderWatch::Changed, this, &ListNavigation::KeepUp);
}

bool ListNavigation::event(QEvent* event)
{
    if (!NavigationEvent::IsNavigation(event))
        return QObject::event(event);
    auto* navigation = static_cast<NavigationEvent*>(event);
    switch (navigation->GetKind()) {
    case NavigationEvent::ListFolder:
        navigation->result = ListFolder(navigation->path);
        break;
    case NavigationEvent::GoToTypedPath:
        navigation->result = GoToTypedPath(navigation->path);
        break;
    case NavigationEvent::SelectFolder:
        return QObject::event(event);
    }
    event->accept();
    return true;
}

bool ListNavigation::ListFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo folder(path);
    if (!folder.isDir()) {
        const std::optional<ArchiveLocation> archive = LocateArchive(folder.absoluteFilePath());
        return archive && ListArchive(*archive);
    }
    m_currentFolder = QDir::toNativeSeparators(QDir::cleanPath(folder.absoluteFilePath()));
    WaitCursor wait;
    Q_EMIT FolderListing(m_currentFolder);
    std::optional<QList<MgxListItem>> items = Leftovers::ListAndTidy(m_currentFolder, QLocale::system());
    if (!items)
        return true;
    m_archive.reset();
    m_model.SetItems(std::move(*items), m_model.CurrentSort());
    WatchListedFolder();
    Q_EMIT FolderListed(m_currentFolder);
    return true;
}

// An archive's inside is listed like a folder but read whole each time: a damaged one says so
// once and keeps the old listing.
bool ListNavigation::ListArchive(const ArchiveLocation& location)
{
    QList<MgxListItem> items;
    ArchiveResult result;
    {
        WaitCursor wait;
        result = ListArchiveFolder(location, QLocale::system(), items);
    }
    if (result != ArchiveResult::Ok) {
        ShowMessage(ArchiveMessages::ForResult(result));
        return false;
    }
    m_archive = location;
    m_currentFolder = location.ListingPath();
    m_model.SetItems(std::move(items), m_model.CurrentSort());
    WatchListedFolder();
    Q_EMIT FolderListed(m_currentFolder);
    return true;
}

bool ListNavigation::GoToTypedPath(const QString& path)
{
    const QString typed = path.trimmed();
    if (typed.isEmpty() || QDir::isRelativePath(typed))
        return false;
    if (!QFileInfo(typed).isDir() && !LocateArchive(typed))
        return false;
    return NavigateTo(typed);
}

bool ListNavigation::NavigateTo(const QString& path)
{
    if (path.isEmpty() || QDir::isRelativePath(path))
        return false;
    if (!QFileInfo(path).isDir() && !LocateArchive(path))
        return false;
    const bool listed = ListFolder(path);
    // The address bar follows only what could be listed.
    if (listed)
        PostSelectFolder(m_currentFolder);
    return listed;
}

void ListNavigation::Up()
{
    if (m_currentFolder.isEmpty())
        return;
    const QString shown = QDir::fromNativeSeparators(m_currentFolder);
    // Going up from the root lists the root again.
    NavigateTo(shown == QStringLiteral("/") ? shown : QDir::cleanPath(shown + QStringLiteral("/..")));
}

void ListNavigation::Refresh()
{
    if (m_currentFolder.isEmpty())
        return;
    Q_EMIT Relisting();
    ListFolder(m_currentFolder);
    Q_EMIT Relisted();
}

void ListNavigation::KeepUp()
{
    if (m_currentFolder.isEmpty() || m_archive)
        return;
    if (m_busy && m_busy()) {
        // A re-listing would end what the user is doing; look again later.
        QTimer::singleShot(m_watch->Delay(), this, &ListNavigation::KeepUp);
        return;
    }
    std::optional<QList<MgxListItem>> items = Leftovers::ListAndTidy(m_currentFolder, QLocale::system());
    if (!items)
        return;
    Q_EMIT Relisting();
    m_model.UpdateListing(std::move(*items));
    Q_EMIT Relisted();
    WatchListedFolder();
    Q_EMIT FolderUpdated(m_currentFolder);
}

void ListNavigation::PostSelectFolder(const QString& path)
{
    if (m_addressBar)
        QCoreApplication::postEvent(m_addressBar, new NavigationEvent(NavigationEvent::SelectFolder, path));
}

void ListNavigation::WatchListedFolder()
{
    // The folder watch sees files on disk, not what changes inside an archive.
    if (m_archive) {
        m_watch->Watch(QString(), {});
        return;
    }
    QStringList records;
    for (const MgxListItem& item : m_model.Items()) {
        if (item.kind == MgxItemKind::Record)
            records.append(item.fullPath);
    }
    m_watch->Watch(m_currentFolder, records);
}

void ListNavigation::ShowMessage(const QString& text)
{
    if (m_prompt)
        m_prompt->ShowMessage(UserPrompt::MessageKind::Error, text);
}
