#pragma once

#include <QList>

// The order on screen of all the list's columns, put together from what is stored in two places:
// the order of the first `baseRanks.size()` columns among themselves (each rank once, else they
// keep their own order) and the screen position of each column after them (each position once and
// within all columns, else they follow the first ones in their own order). The first columns fill
// the places the others leave, in their order. Returns the column at each screen position.
QList<int> MergedColumnOrder(const QList<int>& baseRanks, const QList<int>& extraPositions);

// The inverse of a column order: the rank of each of the first `count` columns among themselves.
QList<int> BaseRanks(const QList<int>& visualIndexOfColumn, int count);
