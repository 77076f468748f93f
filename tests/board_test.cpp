// The Board in play: tile sizes and size limits.
#include <gtest/gtest.h>

#include "tests/game_helpers.h"

TEST(Board, TileSizesRoundUpToTheAllowedOnes)
{
    const int in[] = {-3, 0, 4, 5, 8, 9, 16, 17, 20, 32, 33, 48, 49, 64, 1000};
    const int out[] = {4, 4, 4, 8, 8, 16, 16, 32, 32, 32, 48, 48, 64, 64, 64};
    for (unsigned i = 0; i < sizeof in / sizeof in[0]; ++i)
        EXPECT_EQ(RoundTileSize(in[i]), out[i]) << in[i];
}

// Sizes from the settings file may be any int; their pixel sizes must not
// overflow.
TEST(Board, SizeLimitsHoldTheSheetBetween256x192And960x640Pixels)
{
    struct Case {
        int ts, columns, rows, limitedColumns, limitedRows;
    };
    const Case cases[] = {
        {48, 5, 4, 6, 4},   // 5 x 48 = 240 is below 256
        {48, 21, 14, 20, 13},
        {4, 1000, 200, 240, 160},
        {4, 1, 1, 64, 48},
        {64, 16, 2, 15, 3},
        {4, 2147483647, 2147483647, 240, 160},
        {4, 1073741824, 536870912, 240, 160},   // 4 x 2^30 wraps to 0 in 32 bits
        {64, 33554432, 33554433, 15, 10},       // 64 x 2^25 is 2^31
        {4, -2147483647 - 1, -2147483647 - 1, 64, 48},
        {48, -1, 2147483647, 6, 13},
    };
    for (const Case& c : cases) {
        int columns = c.columns, rows = c.rows;
        LimitBoardSize(&columns, &rows, c.ts);
        EXPECT_EQ(columns, c.limitedColumns) << c.columns << " at " << c.ts;
        EXPECT_EQ(rows, c.limitedRows) << c.rows << " at " << c.ts;
    }

    // The Board rounds an odd stored tile size before the limits: 20 counts as 32.
    FreshGame(16, 12);
    board.ts = 20;
    SetBoardSize(40, 30);
    EXPECT_EQ(board.ts, 32);
    EXPECT_EQ(board.columns, 30);
    EXPECT_EQ(board.rows, 20);
    EXPECT_EQ(board.cells.size(), 600u);
}
