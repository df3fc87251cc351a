#include "LibrarySearch.h"

#include "ListEntryText.h"
#include "NameTables.h"
#include "RecordListModel.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

LibrarySearch::LibrarySearch(RecordListModel& model, const QString& databasePath, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_indexer(databasePath)
    , m_search(TableNames())
{
    connect(&m_indexer, &LibraryIndexer::SummariesReady, this, &LibrarySearch::AddSummaries, Qt::QueuedConnection);
    connect(&m_indexer, &LibraryIndexer::Progress, this, &LibrarySearch::ShowProgress, Qt::QueuedConnection);
}

SearchNames LibrarySearch::TableNames()
{
    return {[](int civilization) { return CivilizationNames[civilization]; },
            [](int mapId) { return RealWorldMapNames.contains(mapId) ? RealWorldMapNames[mapId] : StandardMapNames[mapId]; }};
}

QString LibrarySearch::FilterStatusText(int matching, int searched)
{
    return QStringLiteral("%1 / %2").arg(matching).arg(searched);
}

QString LibrarySearch::IndexingStatusText(int done, int total)
{
    return QStringLiteral("正在索引 %1/%2").arg(done).arg(total);
}

void LibrarySearch::FolderListed(const QString& folder)
{
    // The inside of an archive is listed but not indexed: there the search does not apply.
    m_folder = QFileInfo(folder).isDir() ? folder : QString();
    StartIndexing();
}

void LibrarySearch::StartIndexing()
{
    m_search.Clear();
    m_summaries.clear();
    if (m_folder.isEmpty()) {
        m_indexer.Stop();
        m_indexing = false;
        Refilter();
        return;
    }
    m_indexing = true;
    m_indexer.Start(m_folder, m_subfolders);
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
    m_search.Add(summaries);
    for (const LibrarySummary& summary : summaries)
        m_summaries.insert(summary.path, summary);
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
