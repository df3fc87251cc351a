#include "ColumnOrder.h"

#include <algorithm>
#include <numeric>

namespace {

bool EachOnceBelow(const QList<int>& values, int limit)
{
    QList<bool> seen(limit, false);
    for (const int value : values) {
        if (value < 0 || value >= limit || seen[value])
            return false;
        seen[value] = true;
    }
    return true;
}

} // namespace

QList<int> MergedColumnOrder(const QList<int>& baseRanks, const QList<int>& extraPositions)
{
    const int baseCount = static_cast<int>(baseRanks.size());
    const int total = baseCount + static_cast<int>(extraPositions.size());
    QList<int> order(total, -1);
    const bool extrasPlaced = EachOnceBelow(extraPositions, total);
    for (int extra = 0; extra < extraPositions.size(); ++extra)
        order[extrasPlaced ? extraPositions[extra] : baseCount + extra] = baseCount + extra;

    QList<int> base(baseCount);
    std::iota(base.begin(), base.end(), 0);
    if (EachOnceBelow(baseRanks, baseCount))
        std::sort(base.begin(), base.end(), [&baseRanks](int a, int b) { return baseRanks[a] < baseRanks[b]; });
    auto next = base.cbegin();
    for (int& column : order) {
        if (column < 0)
            column = *next++;
    }
    return order;
}

QList<int> BaseRanks(const QList<int>& visualIndexOfColumn, int count)
{
    QList<int> ranks;
    for (int column = 0; column < count && column < visualIndexOfColumn.size(); ++column) {
        int rank = 0;
        for (int other = 0; other < count && other < visualIndexOfColumn.size(); ++other)
            rank += visualIndexOfColumn[other] < visualIndexOfColumn[column] ? 1 : 0;
        ranks.append(rank);
    }
    return ranks;
}
