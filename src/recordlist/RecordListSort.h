#pragma once

#include "MgxListItem.h"

#include <QList>

// The list's sort state: a signed, 1-based column number. +c sorts column c - 1 in reverse
// (Z to A, largest first, newest first), -c in natural order; the start-up state is +1.
//
// 0 means no sort column (a stored header state may carry it): folders still come first, then
// names A to Z. Reversing has no meaning without a column, so the reverse flag is ignored there.
struct SortState {
    int value = 1;

    // Column index, or -1 for no sort column.
    int Column() const { return value == 0 ? -1 : (value < 0 ? -value : value) - 1; }
    // Set for every value >= 0, as the list always has done; only used when there is a column.
    bool Reverse() const { return value >= 0; }

    bool operator==(const SortState&) const = default;
};

// What a click on header column `column` (or the matching sort command) makes of the state: the
// same column flips the direction, another column starts reversed.
SortState ClickColumn(SortState state, int column);

// Negative when a sorts before b, positive when after, 0 when equal. Folders come before every
// other entry whatever the column and direction.
int CompareListItems(const MgxListItem& a, const MgxListItem& b, SortState state);

// Orders the items by the state; equal items keep their relative order.
void SortListItems(QList<MgxListItem>& items, SortState state);
