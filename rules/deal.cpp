// Dealing a Board from the game's random generator, and the number of the board of the day.
#include "rules/deal.h"

void SeedForGame(GameRandom* random, std::int32_t s)
{
    random->Seed(static_cast<std::uint32_t>(s) & 0xFFFF);
    int skip = (s / 65536) & 0xFFFF;
    for (int i = 0; i < skip; ++i)
        random->Next();
}

// ZededUdoz: a value whose connectors all point off the Board at this
// position is drawn again. The sets are part of what a GameNumber deals, the
// bottom-left corner's included.
static bool DrawnAgain(const Board& b, int column, int row, int value)
{
    bool top = row == 0;
    bool bottom = row == b.rows - 1;
    if (column == 0) {
        if (top)
            return value == 1 || value == 8 || value == 9;
        if (bottom)
            return value == 4 || value == 8 || value == 12;
        return value == 8;
    }
    if (column == b.columns - 1) {
        if (top)
            return value == 1 || value == 4 || value == 5;
        if (bottom)
            return value == 2 || value == 4 || value == 6;
        return value == 4;
    }
    if (top)
        return value == 1;
    if (bottom)
        return value == 2;
    return false;
}

TileCounts DealCells(Board& b, GameMode mode, int kinds, GameRandom* random)
{
    TileCounts counts;
    const bool road = mode == GameMode::ZededUdoz;
    // A kind count outside 1 to 5 would deal values the counts cannot hold.
    if (kinds < 1)
        kinds = 1;
    if (kinds > MaxTileKinds)
        kinds = MaxTileKinds;
    const int n = road ? RoadTileValues : kinds;
    for (int column = 0; column < b.columns; ++column) {
        for (int row = 0; row < b.rows; ++row) {
            int t = random->Below(n) + 1;
            if (road) {
                while (DrawnAgain(b, column, row, t))
                    t = random->Below(RoadTileValues) + 1;
            } else {
                ++counts.count[t];
            }
            SetCell(b, column, row, static_cast<unsigned char>(t));
        }
    }
    if (road)
        counts.count[1] = b.columns * b.rows;
    return counts;
}

TileCounts DealGame(Board& b, GameMode mode, int kinds, std::int32_t s)
{
    GameRandom random;
    SeedForGame(&random, s);
    return DealCells(b, mode, kinds, &random);
}

int GameNumberOfDay(int year, int month, int day)
{
    auto clamp = [](int value, int low, int high) { return value < low ? low : value > high ? high : value; };
    return clamp(year, 1, 214747) * 10000 + clamp(month, 1, 12) * 100 + clamp(day, 1, 31);
}
