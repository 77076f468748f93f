// The Board in play: tile sizes and size limits.
#include <gtest/gtest.h>

#include "game/board.h"
#include "tests/game_helpers.h"

TEST(Board, TileSizesRoundUpToTheAllowedOnes)
{
    const int in[] = {-3, 0, 4, 5, 8, 9, 16, 17, 20, 32, 33, 48, 49, 64, 1000};
    const int out[] = {4, 4, 4, 8, 8, 16, 16, 32, 32, 32, 48, 48, 64, 64, 64};
    for (unsigned i = 0; i < sizeof in / sizeof in[0]; ++i)
        EXPECT_EQ(RoundTileSize(in[i]), out[i]) << in[i];
}

TEST(Board, SizeLimitsApplyColumnsThenRows)
{
    FreshGame(16, 12);
    board.ts = 48;
    SetBoardSize(5, 4);
    EXPECT_EQ(board.columns, 6);   // 5 x 48 = 240 is below 256
    SetBoardSize(21, 4);
    EXPECT_EQ(board.columns, 20);
    EXPECT_EQ(board.rows, 4);
    SetBoardSize(16, 14);
    EXPECT_EQ(board.rows, 13);

    board.ts = 4;
    SetBoardSize(1000, 200);
    EXPECT_EQ(board.columns, 240);
    EXPECT_EQ(board.rows, 160);
    EXPECT_EQ(board.cells.size(), 38400u);
    SetBoardSize(1, 1);
    EXPECT_EQ(board.columns, 64);
    EXPECT_EQ(board.rows, 48);

    board.ts = 64;
    SetBoardSize(16, 2);
    EXPECT_EQ(board.columns, 15);
    EXPECT_EQ(board.rows, 3);

    // An odd stored tile size is rounded before the limits: 20 counts as 32.
    board.ts = 20;
    SetBoardSize(40, 30);
    EXPECT_EQ(board.ts, 32);
    EXPECT_EQ(board.columns, 30);
    EXPECT_EQ(board.rows, 20);
    EXPECT_EQ(board.cells.size(), 600u);
}

TEST(Board, SizeLimitsHoldForTheLargestAndSmallestInts)
{
    // Sizes from the settings file may be any int; their pixel sizes must not overflow.
    struct Case {
        int ts, columns, rows, limitedColumns, limitedRows;
    };
    const Case cases[] = {
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
}
