// The sheet's limits and the names that the settings file, saved games and the
// game share: tile sizes, the Board's size in pixels, and the built-in tiles.
#pragma once

// The Board's limits in pixels, and what they allow at a tile size of 4.
const int BoardMinWidth = 256;
const int BoardMaxWidth = 960;
const int BoardMinHeight = 192;
const int BoardMaxHeight = 640;
const int MaxColumns = 240;
const int MaxRows = 160;

// The default sheet: 16 x 12 tiles of 32 pixels, 5 kinds.
const int DefaultColumns = 16;
const int DefaultRows = 12;
const int DefaultTileSize = 32;
const int DefaultCellNo = 5;

// IroGame deals tile values 1 to CellNo, at most this many; ZededUdoz deals 1 to 15.
const int MaxTileKinds = 5;
const int RoadTileValues = 15;

// The tile picture path that stands for the built-in tiles.
extern const char NoBitmapPath[];   // "(null)"

// Raises a tile size to the next allowed one: 4, 8, 16, 32, 48 or 64.
int RoundTileSize(int size);

// Corrects a requested size by the Board's limits at an allowed tile size ts,
// in this order: columns too wide, too narrow, rows too high, too low. Any
// int is a valid request: the products are taken without overflow.
void LimitBoardSize(int* columns, int* rows, int ts);
