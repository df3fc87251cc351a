#pragma once

#include "ArchiveLocation.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class FolderWatch;
class RecordListModel;
class UserPrompt;

// Which folder (or place inside an archive) the record list shows, and every way of changing it:
// listing a folder or an archive, going to a typed path, going up, listing again, keeping up with
// changes on disk. It fills the list's model and tells the address bar which folder to show; it
// holds no widget. As the window's navigation target it answers ListFolder and GoToTypedPath.
class ListNavigation : public QObject {
    Q_OBJECT

public:
    explicit ListNavigation(RecordListModel& model, QObject* parent = nullptr);

    void SetPrompt(UserPrompt* prompt) { m_prompt = prompt; }
    // Receives NavigationEvent::SelectFolder on every folder change; may be absent.
    void SetAddressBarTarget(QObject* target) { m_addressBar = target; }
    // True while a listing now would break what the user is doing (a name being edited).
    void SetBusyCheck(std::function<bool()> busy) { m_busy = std::move(busy); }

    // Lists a folder or the inside of an archive. False, with nothing changed, when the path is
    // neither; a folder that cannot be read keeps the old entries.
    bool ListFolder(const QString& path);
    // A path typed into the address bar: listed, and the address bar then shows it with its chain.
    // False when the text does not name an existing folder or archive.
    bool GoToTypedPath(const QString& path);
    // Every other folder change: lists it and has the address bar show it.
    bool NavigateTo(const QString& path);
    // The parent of the place listed now; the root stays the root.
    void Up();
    // Lists the place again; the view keeps its selection over it (Relisting, Relisted).
    void Refresh();
    // Lists the folder again after a change on disk; waits while the list is busy.
    void KeepUp();

    QString CurrentFolder() const { return m_currentFolder; }
    // The archive and inner folder listed, when the list shows the inside of an archive.
    const std::optional<ArchiveLocation>& CurrentArchive() const { return m_archive; }
    // Watches the listed folder; changes reach KeepUp after its delay.
    FolderWatch& Watcher() const { return *m_watch; }

Q_SIGNALS:
    // The entries of `folder` are about to be listed.
    void FolderListing(const QString& folder);
    // The entries of `folder` were listed anew.
    void FolderListed(const QString& folder);
    // The listed folder changed on disk and its entries were taken in again.
    void FolderUpdated(const QString& folder);
    // The place listed now is about to be listed again, and has been: whoever shows it keeps its
    // selection across the two.
    void Relisting();
    void Relisted();

protected:
    bool event(QEvent* event) override;

private:
    bool ListArchive(const ArchiveLocation& location);
    void PostSelectFolder(const QString& path);
    void WatchListedFolder();
    void ShowMessage(const QString& text);

    RecordListModel& m_model;
    FolderWatch* m_watch = nullptr;
    UserPrompt* m_prompt = nullptr;
    QPointer<QObject> m_addressBar;
    std::function<bool()> m_busy;
    QString m_currentFolder;
    std::optional<ArchiveLocation> m_archive; // set while the list shows the inside of an archive
};
