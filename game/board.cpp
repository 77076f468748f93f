// The Board, its size limits, the Cell helpers and the game's shared state.
#include "game/board.h"

#include "game/front_end.h"

Board board;
GameState game;

int RoundTileSize(int size)
{
    if (size <= 4)
        return 4;
    if (size <= 8)
        return 8;
    if (size <= 16)
        return 16;
    if (size <= 32)
        return 32;
    if (size <= 48)
        return 48;
    return 64;
}

void LimitBoardSize(int* columns, int* rows, int ts)
{
    // The counts come from the settings file: any int, so the pixel sizes are
    // taken in 64 bits, where no product of two ints overflows.
    const long long tile = ts;
    if (tile * *columns > BoardMaxWidth)
        *columns = BoardMaxWidth / ts;
    if (tile * *columns < BoardMinWidth)
        *columns = (BoardMinWidth + ts - 1) / ts;
    if (tile * *rows > BoardMaxHeight)
        *rows = BoardMaxHeight / ts;
    if (tile * *rows < BoardMinHeight)
        *rows = BoardMinHeight / ts;
}

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

void CellFromPoint(int x, int y, int boardTop, int* column, int* row)
{
    *column = (x - 2) / board.ts;
    *row = (y - boardTop) / board.ts;
}

GameMode CurrentMode()
{
    return game.tileSetKind == TileSetRoad ? GameMode::ZededUdoz : GameMode::IroGame;
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
    StartAnimationTimer(game.animIntrvl);
    game.timerRunning = true;
}

void StopTimer()
{
    if (!game.timerRunning)
        return;
    StopAnimationTimer();
    game.timerRunning = false;
}
