#include "RecordSearch.h"

#include <QRegularExpression>

QString SearchableText(const LibrarySummary& summary, const SearchNames& names)
{
    QStringList parts;
    for (const LibraryPlayer& player : summary.players) {
        parts.append(player.name);
        if (names.civilization)
            parts.append(names.civilization(player.civilization));
    }
    if (names.map)
        parts.append(names.map(summary.mapId));
    parts.append(summary.chat);
    // Line breaks keep a term from matching across two fields.
    return parts.join(QLatin1Char('\n')).toCaseFolded();
}

QStringList SearchTerms(const QString& query)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    return query.toCaseFolded().split(spaces, Qt::SkipEmptyParts);
}

bool MatchesSearch(const QString& searchableText, const QStringList& terms)
{
    for (const QString& term : terms)
        if (!searchableText.contains(term))
            return false;
    return true;
}

RecordSearch::RecordSearch(SearchNames names) : m_names(std::move(names)) {}

void RecordSearch::Clear()
{
    m_texts.clear();
}

void RecordSearch::Add(const QList<LibrarySummary>& summaries)
{
    for (const LibrarySummary& summary : summaries)
        m_texts.insert(summary.path, SearchableText(summary, m_names));
}

QSet<QString> RecordSearch::Matching(const QString& query) const
{
    const QStringList terms = SearchTerms(query);
    QSet<QString> keys;
    for (auto entry = m_texts.cbegin(); entry != m_texts.cend(); ++entry)
        if (MatchesSearch(entry.value(), terms))
            keys.insert(entry.key());
    return keys;
}
