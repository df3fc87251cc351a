#include "RecordsFolder.h"
#include "LibraryCorpus.h"

#include "LibraryIndex.h"
#include "LibrarySearch.h"
#include "RecordSearch.h"
#include "LibrarySummary.h"
#include "RecordReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

LibraryCorpus::LibraryCorpus(int count)
{
    const QDir recs(QString::fromStdString(korvale::test::RealRecordsDir().string()));
    const QStringList names = recs.entryList({QStringLiteral("*.mgx")}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        m_error = QStringLiteral("no records in ") + recs.path();
        return;
    }
    const QDir folder(m_root.path());
    for (const QString& name : names) {
        const QString copy = folder.filePath(name);
        if (!QFile::copy(recs.filePath(name), copy)) {
            m_error = QStringLiteral("cannot copy ") + name;
            return;
        }
        m_sources.append(copy);
    }
    for (int i = 0; i < count; ++i) {
        const QString& source = m_sources[i % m_sources.size()];
        if (i < m_sources.size()) {
            m_paths.append(source);
            continue;
        }
        const QString path = folder.filePath(QStringLiteral("game-%1.mgx").arg(i, 5, 10, QChar(u'0')));
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(path).constData()) != 0) {
            m_error = QStringLiteral("cannot link ") + path;
            return;
        }
        m_paths.append(path);
    }
}

void LibraryCorpus::StoreSummaries(const QString& databasePath) const
{
    Mgx::RecordReader reader;
    QList<LibrarySummary> distinct;
    for (const QString& source : m_sources)
        distinct.append(ReadLibrarySummary(reader, LibraryKey(source), 0, 0));
    for (LibrarySummary& summary : distinct)
        summary.searchText = SearchableText(summary, LibrarySearch::TableNames());
    LibraryIndex index(databasePath);
    QList<LibrarySummary> batch;
    for (int i = 0; i < m_paths.size(); ++i) {
        const QFileInfo info(m_paths[i]);
        LibrarySummary summary = distinct[i % distinct.size()];
        summary.path = LibraryKey(info.filePath());
        summary.size = info.size();
        summary.mtime = info.lastModified().toMSecsSinceEpoch();
        batch.append(std::move(summary));
        if (batch.size() == 500 || i + 1 == m_paths.size()) {
            index.Store(batch);
            batch.clear();
        }
    }
}
