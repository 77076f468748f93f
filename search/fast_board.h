// The search's own compact board, which both of its engines play on.
//
// The board is kept by columns, bottom up, with a border of empty cells all
// round, so that a flood needs no bounds checks and a removal only packs the
// columns it touched. Two engines play on it behind one interface, chosen
// once when a search starts: CellEngine (search/cell_engine.h) floods the
// cells; BitEngine (search/bit_engine.h) finds groups on bit boards, for
// boards of up to 16 columns of up to 15 tiles without roads. An engine
// offers:
//   Roads                       whether tiles join by their roads
//   Layout()                    the board's shape (FastLayout)
//   Load(position, &board)      false for a board that play never leaves
//   FindGroups(board, out, spare = -1)
//                               every group of two or more tiles; with
//                               `spare`, those of that kind only when no
//                               other kind has one
//   UpdateGroups(board, groups, n, spare)
//                               the same after a removal, from the n groups
//                               found before it with the same `spare`
//   Remove(board, anchor)       removes the group at the cell as the game
//                               does and keeps the score and the counts;
//                               returns its size, or 0 for fewer than two
//   RemoveGroup(board, group)   the same for a group it found on that board
// The rules of play (rules/) are the reference: tests/fast_board_test.cpp
// plays random lines through both engines and the rules and compares them.
#pragma once

#include <cstdint>
#include <vector>

#include "search/position.h"
#include "search/worth.h"

struct FastBoard {
    std::vector<unsigned char> cells;   // (columns + 2) x (rows + 2)
    std::vector<short> height;          // the tiles in each column
    int columns = 0;                    // the columns that hold tiles
    long long score = 0;
    Counts counts;
    // BitEngine's: for each kind, a bit per cell, 16 bits a column from the
    // bottom up, four columns a word. There removals keep only the bits and
    // the heights up to date; the cells stay as loaded.
    std::vector<std::uint64_t> bits;
};

// A group an engine found: a cell of it (its anchor, by which it is
// removed), its size and its tile value.
struct FastGroup {
    int anchor;
    int size;
    int value;
    std::uint64_t bits[4] = {0, 0, 0, 0};   // BitEngine's: the group's cells
    // The policy search's: the group's code and its weight in a playout,
    // worked out when the weight is 0 (a group found or moved has 0).
    int code = 0;
    double weight = 0;
};

// Where each cell of a board of this size lies.
class FastLayout {
public:
    FastLayout(int columns, int rows);

    const int C;
    const int R;
    const int S;   // the stride of a column

    int Index(int column, int up) const { return (column + 1) * S + up + 1; }
    int ColumnOf(int i) const { return columnOf_[static_cast<std::size_t>(i)]; }
    SolveMove MoveOf(int i) const { return SolveMove{i / S - 1, R - 1 - (i % S - 1)}; }

    // Fills the cells, heights, columns and counts from the position, with
    // no score. False when it has a hole under a tile or an empty column
    // left of a full one: the game never leaves one, and this board cannot
    // show it.
    bool Load(const SolvePosition& p, FastBoard* b) const;

private:
    std::vector<short> columnOf_;   // a division costs more than a lookup in the inner loops
};
