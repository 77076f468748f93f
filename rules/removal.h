// Removing a group: the tiles above fall into the gaps and empty columns
// close towards column 0.
#pragma once

#include "rules/board.h"
#include "rules/groups.h"

// The columns a removal changed, in any row: from firstColumn to lastColumn.
struct RemovalChange {
    int firstColumn;
    int lastColumn;
};

// Clears the marked Cells of the Selection's box (first kept inside the
// Board), lets the tiles above fall and closes the emptied columns. `packed`
// promises that every column is one unbroken run down to the bottom row, as
// every removal leaves it, which lets the fall stop early.
RemovalChange RemoveMarkedGroup(Board& b, Selection* s, bool packed);

// Removes the group at (column, row) of an unmarked Board as a click
// removes it; returns its size, or 0 (the Board unchanged) when the Cell is
// off the Board, empty or alone.
int RemoveGroupAt(Board& b, GameMode mode, int column, int row);

// Whether every column is one unbroken run of tiles down to the bottom row.
bool BoardIsPacked(const Board& b);

// The points of a removal of n tiles: (n - 2)^2.
inline long long RemovalPoints(int n)
{
    return static_cast<long long>(n - 2) * (n - 2);
}

// True when no two neighbouring tiles connect (or the Board holds no cells).
// Relies on the Board being packed towards the bottom and the left, as every
// removal leaves it.
bool IsGameOver(const Board& b, GameMode mode);
