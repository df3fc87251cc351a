#pragma once

#include "LibraryIndexer.h"
#include "MgxListItem.h"
#include "RecordSearch.h"

#include <QObject>
#include <QString>

#include <functional>

class RecordListModel;

// Keeps the library index of the listed folder up to date and filters the list by the query:
// after each listing the folder (or its whole tree) is indexed in the background, and every
// summary that arrives joins the search and fills the list's extra columns. Texts for the status bar go out through StatusChanged.
class LibrarySearch : public QObject {
    Q_OBJECT

public:
    LibrarySearch(RecordListModel& model, const QString& databasePath, QObject* parent = nullptr);

    LibraryIndexer& Indexer() { return m_indexer; }
    const QString& Query() const { return m_query; }

    // The names the search matches civilisations and maps by.
    static SearchNames TableNames();
    // "N / M": matching records out of the records searched.
    static QString FilterStatusText(int matching, int searched);
    // "正在索引 123/4567".
    static QString IndexingStatusText(int done, int total);

    // The list is about to list `folder`: what the index holds of it is read meanwhile.
    void FolderListing(const QString& folder);
    void FolderListed(const QString& folder);
    // The listed folder changed on disk: the new and changed records are indexed, the filter stays.
    void FolderUpdated(const QString& folder);
    void SetQuery(const QString& query);
    void SetSubfolders(bool subfolders);

Q_SIGNALS:
    void StatusChanged(const QString& text);

private:
    void AddSummaries(int run, const QList<LibrarySummary>& summaries);
    void DropRecords(int run, const QStringList& paths);
    void ShowProgress(int run, int done, int total);
    void Refilter();
    void StartIndexing();
    void ForgetSummaries();
    void StartRun();
    QList<LibraryIndexer::ListedFile> ListedRecords() const;
    MgxListItem ItemBelow(const LibrarySummary& summary) const;

    RecordListModel& m_model;
    LibraryIndexer m_indexer;
    const SearchNames m_names;
    RecordSearch m_search;
    QHash<QString, LibrarySummary> m_summaries;
    QString m_folder;
    QString m_query;
    bool m_subfolders = false;
    bool m_indexing = false;
    int m_awaitingRun = 0; // a run waiting for the listing of m_awaitingFolder
    QString m_awaitingFolder;
};
