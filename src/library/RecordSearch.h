#pragma once

#include "LibrarySummary.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// Names of the numbers a summary keeps, supplied by the layer that has the name tables.
struct SearchNames {
    std::function<QString(int civilization)> civilization;
    std::function<QString(int mapId)> map;
};

// The text a query is matched against: player names, civilisation names, the map's name and the
// chat, case-folded once so a keystroke only compares.
QString SearchableText(const LibrarySummary& summary, const SearchNames& names);

// The text case-folded exactly as QString::toCaseFolded does, at a fraction of its cost on the
// mostly Chinese texts of records: ASCII and the CJK blocks take a short path.
QString FoldForSearch(const QString& text);

// The words of a query, case-folded; empty for a blank query.
QStringList SearchTerms(const QString& query);

// True when every term occurs in the searchable text.
bool MatchesSearch(const QString& searchableText, const QStringList& terms);

// The searchable texts of the records of one scope, by library key.
class RecordSearch {
public:
    explicit RecordSearch(SearchNames names = {});

    void Clear();
    void Add(const QList<LibrarySummary>& summaries);
    void Remove(const QStringList& keys);
    int Count() const { return static_cast<int>(m_texts.size()); }
    bool Contains(const QString& key) const { return m_texts.contains(key); }

    // The keys of the records matching `query`; every key for a blank query.
    QSet<QString> Matching(const QString& query) const;

private:
    SearchNames m_names;
    QHash<QString, QString> m_texts;
};
