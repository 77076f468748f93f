// The Board, its size limits, the Cell helpers and the game's shared state.
#include "game/board.h"

#include "game/front_end.h"
#include "storage/settings.h"

Board board;
GameState game;
UiState ui;
TileSetInfo tileSetInfo;

void ResizeBoard(int columns, int rows)
{
    board.columns = columns;
    board.rows = rows;
    // A fresh block: the old storage is released, not reused at the old size.
    std::vector<unsigned char>(static_cast<std::size_t>(columns) * rows).swap(board.cells);
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

static unsigned char Opposite(unsigned char connector)
{
    switch (connector) {
    case RoadUp:
        return RoadDown;
    case RoadDown:
        return RoadUp;
    case RoadRight:
        return RoadLeft;
    default:
        return RoadRight;
    }
}

bool TilesConnect(unsigned char a, unsigned char b, unsigned char toward)
{
    if (a == 0 || b == 0 || a >= CellMarkBit || b >= CellMarkBit)
        return false;
    if (CurrentMode() == GameMode::IroGame)
        return a == b;
    return (a & toward) != 0 && (b & Opposite(toward)) != 0;
}

int TilesLeft()
{
    int sum = 0;
    for (int v = 1; v <= MaxTileKinds; ++v)
        sum += game.counts.count[v];
    return sum;
}

void CountTiles()
{
    game.counts = TileCounts();
    bool road = CurrentMode() == GameMode::ZededUdoz;
    for (unsigned char cell : board.cells) {
        int value = cell & CellTileMask;
        if (value == 0)
            continue;
        if (road)
            ++game.counts.count[1];
        else if (value <= MaxTileKinds)
            ++game.counts.count[value];
    }
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
