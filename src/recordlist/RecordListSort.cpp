#include "RecordListSort.h"

#include "LibraryColumns.h"

#include <algorithm>

namespace {

char16_t FoldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

// Case-insensitive for ASCII letters only; every other character by its UTF-16 code unit.
int CompareFolded(const QString& a, const QString& b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const char16_t* left = reinterpret_cast<const char16_t*>(a.constData());
    const char16_t* right = reinterpret_cast<const char16_t*>(b.constData());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t l = FoldAscii(left[i]);
        const char16_t r = FoldAscii(right[i]);
        if (l != r)
            return l < r ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Whole sizes: comparing only the low 32 bits (as a subtraction) put a 5 GiB file below a 2 KiB
// one and gave an order that is not consistent, which a sort may not be handed.
int CompareSizes(quint64 a, quint64 b)
{
    return a == b ? 0 : (a < b ? -1 : 1);
}

int CompareColumn(const MgxListItem& a, const MgxListItem& b, int column)
{
    switch (column) {
    case 1:
        return CompareSizes(a.size, b.size);
    case 2:
        return CompareFolded(a.timeText, b.timeText);
    default:
        return CompareFolded(a.name, b.name);
    }
}

// Rows still waiting for their summary, and damaged ones, go last in both directions; among
// themselves they keep name order.
int CompareExtraColumn(const MgxListItem& a, const MgxListItem& b, SortState state)
{
    const int aRank = ColumnValuesRank(a.columns);
    const int bRank = ColumnValuesRank(b.columns);
    if (aRank != bRank)
        return aRank < bRank ? -1 : 1;
    if (aRank != 0)
        return CompareFolded(a.name, b.name);
    const int result = CompareColumnValues(a.columns, b.columns, state.Column());
    return state.Reverse() ? -result : result;
}

} // namespace

SortState ClickColumn(SortState state, int column)
{
    if (state.Column() == column)
        return SortState{-state.value};
    return SortState{column + 1};
}

int CompareListItems(const MgxListItem& a, const MgxListItem& b, SortState state)
{
    const bool aFolder = a.kind == MgxItemKind::Folder;
    const bool bFolder = b.kind == MgxItemKind::Folder;
    if (aFolder != bFolder)
        return aFolder ? -1 : 1;
    if (state.Column() < 0)
        return CompareFolded(a.name, b.name);
    if (LibraryColumns::IsExtraColumn(state.Column()))
        return CompareExtraColumn(a, b, state);
    const int result = CompareColumn(a, b, state.Column());
    return state.Reverse() ? -result : result;
}

void SortListItems(QList<MgxListItem>& items, SortState state)
{
    std::stable_sort(items.begin(), items.end(), [state](const MgxListItem& a, const MgxListItem& b) {
        return CompareListItems(a, b, state) < 0;
    });
}
