#include "RecordSearch.h"

#include <QRegularExpression>

namespace {

// Letters of the CJK blocks (U+3000 to U+9FFF: punctuation, kana, CJK ideographs) have no case.
bool HasNoCase(char16_t c)
{
    return c >= 0x3000 && c < 0xA000;
}

// Whether `term` occurs in `text`: the scan for the term's first character runs on the vector
// search Qt has for single characters, and a record's text of thousands of characters rarely
// holds that character, so a keystroke over ten thousand records mostly only scans.
bool ContainsTerm(QStringView text, QStringView term)
{
    if (term.isEmpty())
        return true;
    const QChar first = term.front();
    const QStringView rest = term.sliced(1);
    for (qsizetype at = text.indexOf(first); at >= 0 && at + term.size() <= text.size(); at = text.indexOf(first, at + 1))
        if (text.sliced(at + 1, rest.size()) == rest)
            return true;
    return false;
}

} // namespace

QString FoldForSearch(const QString& text)
{
    QString folded(text.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(folded.data());
    const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = in[i];
        if (c < 0x80)
            out[i] = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        else if (HasNoCase(c))
            out[i] = c;
        else if (QChar::isSurrogate(c))
            return text.toCaseFolded(); // a pair can fold to another pair: Qt's own fold handles it
        else
            out[i] = QChar::toCaseFolded(c);
    }
    return folded;
}

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
    return FoldForSearch(parts.join(QLatin1Char('\n')));
}

QStringList SearchTerms(const QString& query)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    return FoldForSearch(query).split(spaces, Qt::SkipEmptyParts);
}

bool MatchesSearch(const QString& searchableText, const QStringList& terms)
{
    for (const QString& term : terms)
        if (!ContainsTerm(searchableText, term))
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
        m_texts.insert(summary.path, summary.searchText.isEmpty() ? SearchableText(summary, m_names) : summary.searchText);
}

void RecordSearch::Remove(const QStringList& keys)
{
    for (const QString& key : keys)
        m_texts.remove(key);
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
