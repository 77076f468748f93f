// The Board and its Cells as values: what every rule of play works on. The
// game keeps one Board; the search, the tools and the tests keep their own.
#pragma once

#include <cstddef>
#include <vector>

#include "storage/sheet.h"

// A Cell is one byte: the tile value in bits 0 to 3 (0 is an empty position)
// and the mark of the highlighted group. Bits 4, 6 and 7 are never set, so a
// value below CellMarkBit is an unmarked Cell.
const unsigned char CellTileMask = 0x0F;
const unsigned char CellMarkBit = 0x20;

// ZededUdoz tile values are sets of road connectors.
const unsigned char RoadUp = 1;      // towards row - 1
const unsigned char RoadDown = 2;    // towards row + 1
const unsigned char RoadRight = 4;   // towards column + 1
const unsigned char RoadLeft = 8;    // towards column - 1

// IroGame: a group is equal tiles. ZededUdoz: tiles joined by facing roads.
enum class GameMode { IroGame, ZededUdoz };

struct Board {
    int columns = DefaultColumns;
    int rows = DefaultRows;
    int ts = DefaultTileSize;             // tile size in pixels: 4, 8, 16, 32, 48 or 64
    std::vector<unsigned char> cells;     // row after row: index row * columns + column
};

// Tiles left by value. IroGame: entry v counts tile value v. ZededUdoz: entry 1
// counts every tile and entries 2 to 5 stay 0. Entry 0 is not used.
struct TileCounts {
    int count[MaxTileKinds + 1] = {};
};

inline unsigned char CellAt(const Board& b, int column, int row)
{
    return b.cells[static_cast<std::size_t>(row) * b.columns + column];
}

inline void SetCell(Board& b, int column, int row, unsigned char value)
{
    b.cells[static_cast<std::size_t>(row) * b.columns + column] = value;
}

inline bool IsOnBoard(const Board& b, int column, int row)
{
    return column >= 0 && column < b.columns && row >= 0 && row < b.rows;
}

// Whether the cell storage holds exactly columns x rows Cells.
inline bool HoldsItsCells(const Board& b)
{
    return b.columns > 0 && b.rows > 0 && b.cells.size() == static_cast<std::size_t>(b.columns) * b.rows;
}

// Gives the Board this size and fresh, empty cell storage.
void ResizeCells(Board& b, int columns, int rows);

// Whether two neighbouring tile values connect: a's neighbour in the direction
// of the connector `toward` (one of the Road values) holds b. Marked or empty
// Cells connect to nothing.
bool TilesConnect(GameMode mode, unsigned char a, unsigned char b, unsigned char toward);

// The tiles of the Board, as the mode counts them.
TileCounts CountTiles(const Board& b, GameMode mode);

// The Rest: the sum of the counts.
int TilesLeft(const TileCounts& counts);
