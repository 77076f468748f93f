// The Board and its Cells, and the one record of the game in progress.
#pragma once

#include <string>
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

// Move k is entry k of the history, from 1; entry 0 is never used.
const int MoveHistorySize = 20000;


enum class GameMode { IroGame, ZededUdoz };

// The vanishing animation of the animated tile sets.
enum class AnimState { Idle = 0, Vanishing = 1, Finished = 2 };

// TileSetKind values: what the loaded tile picture is.
const int TileSetNone = 0;
const int TileSetPlain = 1;
const int TileSetRoad = 2;
const int TileSetAnimated24 = 3;
const int TileSetAnimated32 = 4;

// What the game knows of the tile picture in use; the tile-set loader fills it.
struct TileSetInfo {
    int kind = TileSetNone;
    int frameCount = 0;       // frames per animation band (animated kinds)
    int cellNoLimit = 0;      // the largest CellNo the set can show
    bool pingPong = false;    // animations run forward, then back
};

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

// The rules' record of the game in progress.
struct GameState {
    int number = 0;                 // the GameNumber; in Campaign the stage
    double score = 0;               // holds whole numbers only
    int moveIndex = 0;              // removals applied since the deal
    int moveCount = 0;              // removals held for Redo
    Move moves[MoveHistorySize] = {};
    bool gameOver = false;
    bool replaying = false;         // removals are neither recorded, drawn nor animated
    bool redoing = false;           // removals are not animated
    TileCounts counts;
    std::string loadedFile;         // the saved game the Board came from; empty for none
    bool campaign = false;          // a campaign runs (or its dialog is open)

    // The records are consulted when a game starts and ends; the command-line
    // tools, which keep none, turn this off.
    bool keepRecords = true;
};

// What the player is pointing at and what is animating: the highlighted
// group, the animation and its timer.
struct UiState {
    Selection selection;
    AnimState animState = AnimState::Idle;
    int animFrame = 0;
    int anchorColumn = 0;           // the clicked Cell of the vanishing group
    int anchorRow = 0;
    bool timerRunning = false;      // the animation timer runs
};

extern Board board;
extern GameState game;
extern UiState ui;
extern TileSetInfo tileSetInfo;

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
// ui.timerRunning always tells whether it runs.
void StartTimer();
void StopTimer();
