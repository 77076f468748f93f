// The Board's storage, connections and tile counts.
#include "rules/board.h"

void ResizeCells(Board& b, int columns, int rows)
{
    b.columns = columns;
    b.rows = rows;
    // A fresh block: the old storage is released, not reused at the old size.
    std::vector<unsigned char>(static_cast<std::size_t>(columns) * rows).swap(b.cells);
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

bool TilesConnect(GameMode mode, unsigned char a, unsigned char b, unsigned char toward)
{
    if (a == 0 || b == 0 || a >= CellMarkBit || b >= CellMarkBit)
        return false;
    if (mode == GameMode::IroGame)
        return a == b;
    return (a & toward) != 0 && (b & Opposite(toward)) != 0;
}

TileCounts CountTiles(const Board& b, GameMode mode)
{
    TileCounts counts;
    const bool road = mode == GameMode::ZededUdoz;
    for (unsigned char cell : b.cells) {
        int value = cell & CellTileMask;
        if (value == 0)
            continue;
        if (road)
            ++counts.count[1];
        else if (value <= MaxTileKinds)
            ++counts.count[value];
    }
    return counts;
}

int TilesLeft(const TileCounts& counts)
{
    int sum = 0;
    for (int v = 1; v <= MaxTileKinds; ++v)
        sum += counts.count[v];
    return sum;
}
