// The game's Board, its size limits and the game's shared state.
#include "game/board.h"

#include "game/front_end.h"
#include "storage/settings.h"

Board board;
GameState game;
UiState ui;
TileSetInfo tileSetInfo;

void ResizeBoard(int columns, int rows)
{
    ResizeCells(board, columns, rows);
}

void SetBoardSize(int columns, int rows)
{
    board.ts = RoundTileSize(board.ts);
    LimitBoardSize(&columns, &rows, board.ts);
    ResizeBoard(columns, rows);
}

GameMode CurrentMode()
{
    return tileSetInfo.kind == TileSetRoad ? GameMode::ZededUdoz : GameMode::IroGame;
}

int TilesLeft()
{
    return TilesLeft(game.counts);
}

void CountTiles()
{
    game.counts = CountTiles(board, CurrentMode());
}

void StartTimer()
{
    StartAnimationTimer(settings.AnimIntrvl);
    ui.timerRunning = true;
}

void StopTimer()
{
    if (!ui.timerRunning)
        return;
    StopAnimationTimer();
    ui.timerRunning = false;
}
