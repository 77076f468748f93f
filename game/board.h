// The Board and its Cells, and the one record of the game in progress.
#pragma once

#include <string>
#include <vector>

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

// The Board's limits in pixels, and what they allow at a tile size of 4.
const int BoardMinWidth = 256;
const int BoardMaxWidth = 960;
const int BoardMinHeight = 192;
const int BoardMaxHeight = 640;
const int MaxColumns = 240;
const int MaxRows = 160;

// IroGame deals tile values 1 to CellNo, at most this many; ZededUdoz deals 1 to 15.
const int MaxTileKinds = 5;
const int RoadTileValues = 15;

// Move k is entry k of the history, from 1; entry 0 is never used.
const int MoveHistorySize = 20000;

// The default sheet: 16 x 12 tiles of 32 pixels, 5 kinds.
const int DefaultColumns = 16;
const int DefaultRows = 12;
const int DefaultTileSize = 32;
const int DefaultCellNo = 5;
const int DefaultAnimIntrvl = 50;

enum class GameMode { IroGame, ZededUdoz };

// The vanishing animation of the animated tile sets.
enum class AnimState { Idle = 0, Vanishing = 1, Finished = 2 };

// TileSetKind values: what the loaded tile picture is.
const int TileSetNone = 0;
const int TileSetPlain = 1;
const int TileSetRoad = 2;
const int TileSetAnimated24 = 3;
const int TileSetAnimated32 = 4;

struct Board {
    int columns = DefaultColumns;
    int rows = DefaultRows;
    int ts = DefaultTileSize;             // tile size in pixels: 4, 8, 16, 32, 48 or 64
    std::vector<unsigned char> cells;     // row after row: index row * columns + column
};

// The highlighted group: the box that holds its marked Cells, its size and the
// tile value of the Cell it was grown from.
struct Selection {
    int minColumn = 0;
    int minRow = 0;
    int maxColumn = 0;
    int maxRow = 0;
    int size = 0;
    int tile = 0;
};

// Tiles left by value. IroGame: entry v counts tile value v. ZededUdoz: entry 1
// counts every tile and entries 2 to 5 stay 0. Entry 0 is not used.
struct TileCounts {
    int count[MaxTileKinds + 1] = {};
};

// One recorded removal: the Cell the player clicked.
struct Move {
    unsigned char column;
    unsigned char row;
};

struct GameState {
    int number = 0;                 // the GameNumber; in Campaign the stage
    double score = 0;               // holds whole numbers only
    int moveIndex = 0;              // removals applied since the deal
    int moveCount = 0;              // removals held for Redo
    Move moves[MoveHistorySize] = {};
    bool gameOver = false;
    bool replaying = false;         // removals are neither recorded, drawn nor animated
    bool redoing = false;           // removals are not animated
    bool timerRunning = false;      // the animation timer runs
    AnimState animState = AnimState::Idle;
    int animFrame = 0;
    int anchorColumn = 0;           // the clicked Cell of the vanishing group
    int anchorRow = 0;
    Selection selection;
    TileCounts counts;
    std::string loadedFile;         // the saved game the Board came from; empty for none

    // Values that the settings and the tile-set loader give the game.
    int tileSetKind = TileSetNone;
    int cellNo = DefaultCellNo;     // tile values IroGame deals
    bool campaign = false;          // a campaign runs (or its dialog is open)
    int campaignTane = 0;           // added to the number when a deal is seeded
    bool scoreOption = false;       // the tiles left count against the score
    int animIntrvl = DefaultAnimIntrvl;

    // The records are consulted when a game starts and ends; the command-line
    // tools, which keep none, turn this off.
    bool keepRecords = true;
};

extern Board board;
extern GameState game;

// Raises a tile size to the next allowed one: 4, 8, 16, 32, 48 or 64.
int RoundTileSize(int size);

// Corrects a requested size by the Board's limits at the current tile size
// (board.ts, which must be an allowed size), in this order: columns too wide,
// too narrow, rows too high, too low.
void LimitBoardSize(int* columns, int* rows, int ts);

// Gives the Board a new size, corrected by the limits, and new cell storage
// (all empty until the next deal). The caller then sizes the window.
void SetBoardSize(int columns, int rows);

// Gives the Board exactly this size without the limits (a loaded sheet).
void ResizeBoard(int columns, int rows);

inline unsigned char CellAt(int column, int row)
{
    return board.cells[static_cast<std::size_t>(row) * board.columns + column];
}

inline void SetCell(int column, int row, unsigned char value)
{
    board.cells[static_cast<std::size_t>(row) * board.columns + column] = value;
}

inline bool IsOnBoard(int column, int row)
{
    return column >= 0 && column < board.columns && row >= 0 && row < board.rows;
}

// The Cell under a point of the main window's client area, whose board starts
// at (2, boardTop). Not clamped: the caller checks the result.
void CellFromPoint(int x, int y, int boardTop, int* column, int* row);

// IroGame or ZededUdoz, by the loaded tile set (the road set plays ZededUdoz).
GameMode CurrentMode();

// Whether two neighbouring tile values connect: a's neighbour in the direction
// of the connector `toward` (one of the Road values) holds b.
bool TilesConnect(unsigned char a, unsigned char b, unsigned char toward);

// The Rest: the tiles left on the Board, the sum of the counts.
int TilesLeft();

// Counts the tiles of the Board into game.counts, as the current mode counts them.
void CountTiles();

// The one animation timer: started and stopped only through these, so that
// game.timerRunning always tells whether it runs.
void StartTimer();
void StopTimer();
