#include "LibrarySearch.h"

#include "InfoText.h"
#include "ListEntryText.h"
#include "NameTables.h"
#include "RecordListModel.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <utility>

LibrarySearch::LibrarySearch(RecordListModel& model, const QString& databasePath, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_indexer(databasePath)
    , m_names(TableNames())
    , m_search(m_names)
{
    m_indexer.SetSearchNames(m_names);
    connect(&m_indexer, &LibraryIndexer::SummariesReady, this, &LibrarySearch::AddSummaries, Qt::QueuedConnection);
    connect(&m_indexer, &LibraryIndexer::Progress, this, &LibrarySearch::ShowProgress, Qt::QueuedConnection);
    connect(&m_indexer, &LibraryIndexer::RecordsGone, this, &LibrarySearch::DropRecords, Qt::QueuedConnection);
}

SearchNames LibrarySearch::TableNames()
{
    return {[](int civilization) { return CivilizationNames[civilization]; },
            [](int mapId) { return MapNameText(mapId); }};
}

QString LibrarySearch::FilterStatusText(int matching, int searched)
{
    return QStringLiteral("%1 / %2").arg(matching).arg(searched);
}

QString LibrarySearch::IndexingStatusText(int done, int total)
{
    return QStringLiteral("正在索引 %1/%2").arg(done).arg(total);
}

void LibrarySearch::FolderListing(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    m_awaitingRun = m_subfolders ? 0 : m_indexer.StartAwaitingListing(folder);
    m_awaitingFolder = folder;
}

void LibrarySearch::FolderListed(const QString& folder)
{
    // The inside of an archive is listed but not indexed: there the search does not apply.
    m_folder = QFileInfo(folder).isDir() ? folder : QString();
    const int awaiting = std::exchange(m_awaitingRun, 0);
    if (m_folder.isEmpty() || awaiting == 0 || awaiting != m_indexer.CurrentRun() || folder != m_awaitingFolder) {
        StartIndexing();
        return;
    }
    ForgetSummaries();
    m_indexing = true;
    m_indexer.DeliverListing(awaiting, ListedRecords());
    Refilter();
}

void LibrarySearch::FolderUpdated(const QString& folder)
{
    if (folder != m_folder)
        return;
    // What is known stays searchable; the run brings in what is new or changed.
    StartRun();
}

// The listed folder alone is indexed from the list's own entries; the whole tree is walked.
void LibrarySearch::StartRun()
{
    m_indexing = true;
    if (m_subfolders) {
        m_indexer.Start(m_folder, true);
        return;
    }
    m_indexer.StartListed(m_folder, ListedRecords());
}

QList<LibraryIndexer::ListedFile> LibrarySearch::ListedRecords() const
{
    QList<LibraryIndexer::ListedFile> files;
    for (const MgxListItem& item : m_model.Listing())
        if (item.kind == MgxItemKind::Record)
            files.append({LibraryKey(item.fullPath), static_cast<qint64>(item.size), item.mtime});
    return files;
}

void LibrarySearch::ForgetSummaries()
{
    m_search.Clear();
    m_summaries.clear();
    m_model.ClearColumnValues();
}

void LibrarySearch::StartIndexing()
{
    ForgetSummaries();
    if (m_folder.isEmpty()) {
        m_indexer.Stop();
        m_indexing = false;
        Refilter();
        return;
    }
    StartRun();
    Refilter();
}

void LibrarySearch::SetQuery(const QString& query)
{
    m_query = query;
    Refilter();
}

void LibrarySearch::SetSubfolders(bool subfolders)
{
    if (subfolders == m_subfolders)
        return;
    m_subfolders = subfolders;
    StartIndexing();
}

void LibrarySearch::AddSummaries(int run, const QList<LibrarySummary>& summaries)
{
    if (run != m_indexer.CurrentRun() || m_folder.isEmpty())
        return;
    // A run after a change on disk hands in the whole folder again; only what differs is taken.
    QList<LibrarySummary> fresh;
    for (const LibrarySummary& summary : summaries) {
        const auto known = m_summaries.constFind(summary.path);
        if (known == m_summaries.cend() || known->size != summary.size || known->mtime != summary.mtime)
            fresh.append(summary);
    }
    if (fresh.isEmpty())
        return;
    m_model.AddSummaries(fresh, m_names);
    m_search.Add(fresh);
    // The chat is in the search text already; ten thousand chats kept twice would be felt.
    for (LibrarySummary& summary : fresh) {
        summary.chat.clear();
        m_summaries.insert(summary.path, summary);
    }
    if (!SearchTerms(m_query).isEmpty())
        Refilter();
}

void LibrarySearch::DropRecords(int run, const QStringList& paths)
{
    if (run != m_indexer.CurrentRun())
        return;
    m_search.Remove(paths);
    for (const QString& path : paths)
        m_summaries.remove(path);
    if (!SearchTerms(m_query).isEmpty())
        Refilter();
}

void LibrarySearch::ShowProgress(int run, int done, int total)
{
    if (run != m_indexer.CurrentRun() || m_folder.isEmpty())
        return;
    m_indexing = done < total;
    if (m_indexing)
        Q_EMIT StatusChanged(IndexingStatusText(done, total));
    else
        Refilter();
}

MgxListItem LibrarySearch::ItemBelow(const LibrarySummary& summary) const
{
    const QFileInfo info(summary.path);
    MgxListItem item;
    item.fullPath = QDir::toNativeSeparators(summary.path);
    item.name = info.fileName();
    item.kind = MgxItemKind::Record;
    item.size = static_cast<quint64>(summary.size);
    item.sizeText = FormatSizeText(item.size, QLocale::system());
    item.timeText = FormatTimeText(QDateTime::fromMSecsSinceEpoch(summary.mtime));
    item.mtime = summary.mtime;
    item.relativeFolder = QDir::toNativeSeparators(QDir(LibraryKey(m_folder)).relativeFilePath(info.path()));
    return item;
}

// A blank query shows the plain listing; otherwise the listing's matches plus, for the whole
// tree, the matches from the folders below.
void LibrarySearch::Refilter()
{
    if (SearchTerms(m_query).isEmpty() || m_folder.isEmpty()) {
        m_model.ClearFilter();
        Q_EMIT StatusChanged(QString());
        return;
    }
    const QSet<QString> keys = m_search.Matching(m_query);
    QList<MgxListItem> below;
    const QString listed = LibraryKey(m_folder);
    for (const QString& key : keys)
        if (QFileInfo(key).path() != listed)
            below.append(ItemBelow(m_summaries.value(key)));
    m_model.ApplyFilter(keys, std::move(below));
    if (!m_indexing)
        Q_EMIT StatusChanged(FilterStatusText(static_cast<int>(keys.size()), m_search.Count()));
}
