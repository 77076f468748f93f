// The game's one Board, the record of the game in progress and what the
// player sees of it.
#pragma once

#include <string>
#include <vector>

#include "rules/board.h"
#include "rules/groups.h"
#include "storage/sheet.h"

// Move k is entry k of the history, from 1; entry 0 is never used.
const int MoveHistorySize = 20000;

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

// One recorded removal: the Cell the player clicked.
struct Move {
    unsigned char column;
    unsigned char row;
};

// What the statistics know of the game in progress (game/statistics): it
// counts once, and not at all when help was used.
struct GameTally {
    bool removed = false;           // a removal was made since it began
    bool counted = false;           // it has counted (or ended without counting)
    bool assisted = false;          // the Hint was used; Undo does not take that back
    long long startedAt = 0;        // CurrentTime when it began
    std::string key;                // the key it counts under if left before its end
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
    GameTally tally;

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

// The rules' cell helpers on the game's Board.
inline unsigned char CellAt(int column, int row) { return CellAt(board, column, row); }
inline void SetCell(int column, int row, unsigned char value) { SetCell(board, column, row, value); }
inline bool IsOnBoard(int column, int row) { return IsOnBoard(board, column, row); }

// IroGame or ZededUdoz, by the loaded tile set (the road set plays ZededUdoz).
GameMode CurrentMode();

// The Rest: the tiles left on the Board, the sum of the counts.
int TilesLeft();

// Counts the tiles of the Board into game.counts, as the current mode counts them.
void CountTiles();

// The one animation timer: started and stopped only through these, so that
// ui.timerRunning always tells whether it runs.
void StartTimer();
void StopTimer();
