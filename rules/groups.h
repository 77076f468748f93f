// Groups: the tiles connected to a Cell, marked with CellMarkBit, in either mode.
#pragma once

#include <vector>

#include "rules/board.h"

// A marked group: the box that holds its marked Cells, its size and the tile
// value of the Cell it was grown from.
struct Selection {
    int minColumn = 0;
    int minRow = 0;
    int maxColumn = 0;
    int maxRow = 0;
    int size = 0;
    int tile = 0;
};

// Marks every unmarked tile connected to the marked Cell at (column, row),
// widening the Selection's box and adding to its size.
void GrowGroup(Board& b, GameMode mode, int column, int row, Selection* s);

// Marks the group at (column, row) and describes it in *s (its box around
// that Cell, its size and tile). A group of two or more stays marked; a lone
// tile is left unmarked with size 1, an empty Cell with size 0. The Cell
// must be on the Board and unmarked, and the Board must hold no other marks
// that the caller wants kept apart from this group.
void MarkGroupAt(Board& b, GameMode mode, int column, int row, Selection* s);

// Keeps a Selection's box inside the Board, which may have changed size
// since the box was set.
void ClampBox(const Board& b, Selection* s);

// One group of the Board: its first Cell from the top left, row after row,
// and its size (1 for a lone tile).
struct BoardGroup {
    int column;
    int row;
    int size;
};

// Every group of the Board (lone tiles included), in the order of their
// first Cells. The Board must hold no marks.
std::vector<BoardGroup> GroupsOf(const Board& b, GameMode mode);
